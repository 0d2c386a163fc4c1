#include <gtest/gtest.h>

#include <cstring>

#include "keyboardstate/keylabels.h"
#include "keyassign/model/keymaptexts.h"
#include "keymap_panel_support.h"
#include "support/tempdir.h"
#include <functional>
#include <tuple>

namespace orvane::test {
namespace {

TEST_F(PanelTest, OpeningRunsItsStepsInOrderAndRebuildsTheRegionTable) {
    assign(TYPE_SINGLE, {0x41}, 1);
    open();
    panel.onMouseMove(280, 256, false);  // over Save: its hover image
    ASSERT_EQ(panel.regions()[kKeyMapSave].BmpIndex, 1);
    open();
    const std::vector<std::string> steps = {"loadBackground", "placeControls", "fillTree", "fillMacroList",
                                            "focusSingle", "installHook"};
    EXPECT_EQ(host.calls, steps);
    for (std::size_t i = 0; i < kKeyMapRowCount; ++i) EXPECT_EQ(panel.regions()[i].BmpIndex, 0) << i;
    EXPECT_EQ(panel.regions()[kKeyMapRowCount].images[0], u"");  // rows 10.. hold nothing
    EXPECT_TRUE(panel.hookInstalled());
}

TEST_F(PanelTest, APositionOutsideThePictureEndsAtOnce) {
    const auto before = std::make_unique<SettingsImage>(*image);
    panel.open(*image, pending, 108, 0);
    EXPECT_EQ(panel.result(), PanelResult::Cancel);
    EXPECT_TRUE(host.calls.empty());
    panel.onLButtonUp(280, 256);
    panel.onKeyCaptured(0x41);
    EXPECT_EQ(std::memcmp(before.get(), image.get(), sizeof(SettingsImage)), 0);
    EXPECT_EQ(pending.CapturedKeys[0], 0);
}

TEST_F(PanelTest, OpeningShowsTheRecordOnItsPage) {
    std::u16string longPath(256, u'x');
    struct Case {
        const char* what;
        std::uint8_t type;
        std::vector<std::uint8_t> data;
        std::uint8_t keyCount;
        int page;
        std::u16string single, combine;
        std::uint32_t count;
        std::uint8_t advancedItem;
        std::u16string path;
    };
    const Case cases[] = {
        {"unchosen: nothing", TYPE_UNCHOSEN, {}, 0, kPageSingle, u"", u"", 0, kNoRow, u""},
        {"default record", TYPE_SINGLE, {}, 0, kPageSingle, u"", u"", 1, kNoRow, u""},
        {"single A", TYPE_SINGLE, {0x41}, 1, kPageSingle, u"A ", u"", 1, kNoRow, u""},
        {"left Ctrl + A", TYPE_COMBINE, {0xA2, 0x41}, 2, kPageSingle, u"", u"LCtrl + A ", 2, kNoRow, u""},
        {"combination with a gap", TYPE_COMBINE, {0xA2, 0, 0x41}, 3, kPageSingle, u"", u"LCtrl + A ", 3, kNoRow,
         u""},
        {"macro slot 2", TYPE_MACRO, {4, 1, 2, 0}, 0, kPageMacro, u"", u"", 0, kNoRow, u""},
        {"macro without its mark", TYPE_MACRO, {0, 1, 2, 0}, 0, kPageSingle, u"", u"", 0, kNoRow, u""},
        {"basic Min", TYPE_BASIC, {0x00, 0xE2, 0x2C, 0x11}, 0, kPageBasic, u"", u"", 0, kNoRow, u""},
        {"open file", TYPE_OPEN_FILE, {3, 0, 0x23, 2}, 0, kPageAdvance, u"", u"", 0, 2, u"/home/a/notes.txt"},
        {"sound with an unterminated path", TYPE_PLAY_SOUND, {3, 0, 0x23, 2}, 0, kPageAdvance, u"", u"", 0, 0,
         u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setPendingPath(pending, u"/left/over/from/before.mp3");
        assign(c.type, c.data, c.keyCount);
        record().actionPath.fill(0);
        if (c.type == TYPE_OPEN_FILE) setFixedText(record().actionPath, c.path);
        if (c.type == TYPE_PLAY_SOUND) record().actionPath.fill(u'x');
        open();
        EXPECT_EQ(panel.page(), c.page);
        EXPECT_EQ(host.single, c.single);
        EXPECT_EQ(host.combine, c.combine);
        EXPECT_EQ(pending.ItemCountOnList, c.count);
        EXPECT_EQ(pending.mapType, c.type);
        EXPECT_EQ(panel.advancedItem(), c.advancedItem);
        if (c.page == kPageAdvance) {
            EXPECT_EQ(path(), c.path);
        }
        EXPECT_FALSE(panel.keepOnce());  // the box's focus took it at once
    }
    EXPECT_EQ(host.macroFocus, 2);
}

TEST_F(PanelTest, OpeningOnABasicFunctionNamesItAndTheNameSurvives) {
    assign(TYPE_BASIC, {0x00, 0xE2, 0x2C, 0x11}, 0);
    open();
    EXPECT_EQ(fixedText(pending.FunctionName), u"Min");
    EXPECT_EQ(host.treeSelected, u"Min");
    EXPECT_EQ(host.count("focusTree"), 1);  // so the selection shows
    assign(TYPE_SINGLE, {0x41}, 1);
    open();
    EXPECT_EQ(host.treeSelected, u"Min");  // kept for the next opening
    image->languageCode = kLanguageChinese;
    assign(TYPE_BASIC, {0x00, 0xE2, 0x2C, 0x11}, 0);
    open();
    EXPECT_EQ(host.treeSelected, u"最小化");
    assign(TYPE_BASIC, {9, 9, 9, 9}, 0);
    open();
    EXPECT_EQ(host.treeSelected, u"");  // an entry in no row names nothing
}

TEST_F(PanelTest, TheTreeHoldsTheFunctionsUnderTheirGroups) {
    open();
    ASSERT_EQ(host.tree.size(), 26u);
    EXPECT_EQ(host.tree[0].text, u"Search");
    EXPECT_EQ(host.tree[2].text, u"Media");
    EXPECT_TRUE(host.tree[2].group);
    EXPECT_EQ(host.tree[3].text, u"Media Player");
    EXPECT_EQ(host.tree[3].parent, 2);
    EXPECT_EQ(host.tree[11].text, u"Shortcut");
    EXPECT_EQ(host.tree[19].text, u"Windows");
    EXPECT_EQ(host.tree[21].parent, 19);
    EXPECT_EQ(host.tree[22].text, u"Computer");
    EXPECT_EQ(host.tree[22].parent, -1);
}

TEST_F(PanelTest, MacroListStopsAtTheFirstFreeSlotAndAtTheKeyboardsSlots) {
    for (std::size_t i = 0; i < 40; ++i) {
        setFixedText(image->macroStore.records[i].name, u"m" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
    }
    open();
    EXPECT_EQ(host.macros.size(), kMacroSlotCount);
    image->macroStore.records[3].name.fill(0);
    open();
    EXPECT_EQ(host.macros.size(), 3u);
}

TEST_F(PanelTest, CombinationCaptureAppendsThenStartsOver) {
    assign(TYPE_COMBINE, {0xA2, 0x41}, 2);
    open();
    panel.onKeyCaptured(0x43);  // C
    EXPECT_EQ(host.combine, u"LCtrl + A + C ");
    EXPECT_EQ(pending.ItemCountOnList, 3u);
    panel.onKeyCaptured(0x44);  // D
    EXPECT_EQ(host.combine, u"D ");
    EXPECT_EQ(pending.ItemCountOnList, 1u);
    EXPECT_EQ(pending.CapturedKeys[0], 0x44);
    EXPECT_EQ(pending.CapturedKeys[1], 0);
    EXPECT_EQ(pending.CapturedKeys[2], 0);
}

TEST_F(PanelTest, ADamagedKeyCountStartsANewCombination) {
    assign(TYPE_COMBINE, {0xA2, 0x41}, 255);
    open();
    panel.onKeyCaptured(0x43);
    EXPECT_EQ(host.combine, u"C ");
    EXPECT_EQ(pending.ItemCountOnList, 1u);
}

TEST_F(PanelTest, SingleCaptureReplacesTheKey) {
    open();
    panel.onKeyCaptured(0xA3);
    EXPECT_EQ(host.single, u"RCtrl ");
    panel.onKeyCaptured(0xA2);
    EXPECT_EQ(host.single, u"LCtrl ");
    EXPECT_EQ(pending.CapturedKeys[0], 0xA2);
    EXPECT_EQ(pending.ItemCountOnList, 1u);
}

TEST_F(PanelTest, KeysAreCapturedOnlyWhileTheHookIsInAndOnlyForKeyTypes) {
    host.hookAvailable = false;
    open();
    panel.onKeyCaptured(0x41);
    EXPECT_EQ(host.single, u"");
    host.hookAvailable = true;
    open();
    clickTab(kPageBasic);
    panel.onKeyCaptured(0x41);
    EXPECT_EQ(pending.CapturedKeys[0], 0);
}

TEST_F(PanelTest, AKeyTheKeyboardHasNoCodeForIsRefusedWithAMessage) {
    open();
    panel.onKeyCaptured(0x41);
    for (std::uint8_t code : {std::uint8_t{0}, std::uint8_t{0x15}, std::uint8_t{0xB0}}) panel.onKeyCaptured(code);
    EXPECT_EQ(host.single, u"A ");
    EXPECT_EQ(pending.CapturedKeys[0], 0x41);
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[0], keyMapTexts(kLanguageEnglish).noDeviceCode);
    // Keys go to the message box while it is open; capture resumes after it.
    EXPECT_EQ(dialogs.hookActiveAtDialog, std::vector<bool>(3, false));
    EXPECT_TRUE(host.hookActive);
    EXPECT_TRUE(panel.hookInstalled());
}

TEST_F(PanelTest, FocusRulesChooseBetweenSingleAndCombination) {
    assign(TYPE_SINGLE, {0x41}, 1);
    open();
    EXPECT_EQ(host.single, u"A ");
    panel.onBoxFocused(CaptureBox::Combine);
    EXPECT_EQ(pending.mapType, TYPE_COMBINE);
    EXPECT_EQ(host.single, u"");
    EXPECT_EQ(pending.CapturedKeys[0], 0);
    panel.onKeyCaptured(0x42);
    EXPECT_EQ(host.combine, u"B ");
    panel.onBoxFocused(CaptureBox::Single);
    EXPECT_EQ(pending.mapType, TYPE_SINGLE);
    EXPECT_EQ(host.combine, u"");
    EXPECT_EQ(pending.ItemCountOnList, 0u);
}

TEST_F(PanelTest, KeepOnceKeepsThePreloadOnlyOnce) {
    assign(TYPE_COMBINE, {0xA2, 0x41}, 2);
    open();
    EXPECT_FALSE(panel.keepOnce());
    panel.onBoxFocused(CaptureBox::Combine);  // a second focus: starts over
    EXPECT_EQ(host.combine, u"LCtrl + A ");   // only the other box empties
    EXPECT_EQ(pending.ItemCountOnList, 0u);
    panel.onKeyCaptured(0x43);
    EXPECT_EQ(host.combine, u"C ");
}

TEST_F(PanelTest, HitTestWidensTheDisableBox) {
    open();
    struct Case { int x, y; std::uint8_t region; };
    const Case cases[] = {
        {13, 250, kKeyMapNoRegion}, {14, 246, kKeyMapDisable}, {34, 265, kKeyMapDisable},
        {35, 265, kKeyMapNoRegion}, {24, 266, kKeyMapNoRegion}, {310, 10, kKeyMapClose},
        {81, 40, kKeyMapTabSingle}, {82, 40, kKeyMapTabMacro}, {200, 30, kKeyMapStrip},
        {156, 246, kKeyMapDefault}, {251, 268, kKeyMapCancel}, {305, 268, kKeyMapSave},
        {306, 268, kKeyMapNoRegion}, {150, 150, kKeyMapNoRegion},
    };
    for (const Case& c : cases) EXPECT_EQ(keyMapHitTest(panel.regions(), c.x, c.y), c.region) << c.x << "," << c.y;
    EXPECT_EQ(advanceCellAt(15, 72), 0);
    EXPECT_EQ(advanceCellAt(302, 173), 15);
    EXPECT_EQ(advanceCellAt(26, 72), kNoCell);
}

TEST_F(PanelTest, HoverLightsARowUntilThePointerLeavesEveryRegion) {
    open();
    EXPECT_TRUE(panel.onMouseMove(280, 256, false));
    EXPECT_EQ(panel.regions()[kKeyMapSave].image(), u"button-save-over.png");
    EXPECT_FALSE(panel.onMouseMove(281, 256, false));
    panel.onMouseMove(24, 255, false);  // the check box keeps its own state
    EXPECT_EQ(panel.regions()[kKeyMapDisable].BmpIndex, 0);
    panel.onMouseMove(150, 150, false);
    EXPECT_EQ(panel.regions()[kKeyMapSave].BmpIndex, 0);
    clickDisable();
    panel.onMouseMove(150, 200, false);
    EXPECT_EQ(panel.regions()[kKeyMapDisable].BmpIndex, 1);
    // On the Advance page the browse button under the pointer is lit.
    clickTab(kPageAdvance);
    panel.onMouseMove(270, 105, false);
    EXPECT_EQ(panel.hoverBrowseCell(), 7);
    panel.onMouseMove(200, 200, false);
    EXPECT_EQ(panel.hoverBrowseCell(), kNoCell);
}

TEST_F(PanelTest, EmptyPartsDragThePanel) {
    open();
    panel.onMouseMove(150, 200, false);
    EXPECT_EQ(host.count("drag"), 0);
    panel.onMouseMove(150, 201, true);
    panel.onMouseMove(280, 256, true);  // over Save: no drag
    EXPECT_EQ(host.count("drag"), 1);
    clickTab(kPageAdvance);
    panel.onMouseMove(20, 76, true);  // a radio mark is not empty
    EXPECT_EQ(host.count("drag"), 1);
    panel.onMouseMove(150, 230, true);
    EXPECT_EQ(host.count("drag"), 2);
}

}  // namespace
}  // namespace orvane::test

namespace orvane::test {
namespace {

using Entry = std::array<std::uint8_t, 4>;

class SaveTest : public PanelTest {
public:
    Entry entry(std::uint8_t p = kQ) const {
        const auto e = deviceKeyEntry(image->working.mouseData, KeyPositionEntryMap[p]);
        return {e[0], e[1], e[2], e[3]};
    }
    bool enabled(std::uint8_t p = kQ) const {
        return isKeyEnabled(image->working.mouseData, deviceSlotOfPosition(p));
    }
    // What the main window does on OK.
    void confirm() { confirmKeyAssignment(*image, pending, kQ, dir.path()); }
    TempDir dir;
};

TEST_F(SaveTest, SaveByPage) {
    struct Case {
        const char* what;
        std::function<void(SaveTest&)> act;
        std::optional<PanelResult> result;
        std::uint8_t mapType;
        std::uint32_t count;
        std::uint8_t keyEnabled;
    };
    const Case cases[] = {
        {"both boxes empty: back to default", [](SaveTest& t) { t.clickSave(); }, PanelResult::Ok, Type_NONE, 0, 1},
        {"a captured key", [](SaveTest& t) { t.panel.onKeyCaptured(0x41); t.clickSave(); }, PanelResult::Ok,
         TYPE_SINGLE, 1, 1},
        {"Disable ticked", [](SaveTest& t) { t.panel.onKeyCaptured(0x41); t.clickDisable(); t.clickSave(); },
         PanelResult::Ok, TYPE_SINGLE, 1, 0},
        {"Default", [](SaveTest& t) { t.clickDisable(); t.clickDefault(); }, PanelResult::Ok, TYPE_SINGLE,
         kDefaultButtonCount, 1},
        {"Cancel", [](SaveTest& t) { t.panel.onKeyCaptured(0x41); t.clickCancel(); }, PanelResult::Cancel,
         TYPE_SINGLE, 0, 1},
        {"close button keeps the keys", [](SaveTest& t) { t.panel.onKeyCaptured(0x41); t.click(310, 10); },
         PanelResult::Cancel, TYPE_SINGLE, 1, 1},
        {"Macro page, nothing chosen", [](SaveTest& t) { t.clickDisable(); t.clickTab(kPageMacro); t.clickSave(); },
         PanelResult::Ok, Type_NONE, 1, 1},
        {"Macro page, macro 1 and disabled",
         [](SaveTest& t) { t.clickDisable(); t.clickTab(kPageMacro); t.host.selectedMacro = 1; t.clickSave(); },
         PanelResult::Ok, TYPE_MACRO, 1, 0},
        {"Basic page, a function",
         [](SaveTest& t) { t.clickTab(kPageBasic); t.host.selectedTree = u"Vol+"; t.clickSave(); }, PanelResult::Ok,
         TYPE_BASIC, 1, 1},
        {"Basic page, a group", [](SaveTest& t) { t.clickTab(kPageBasic); t.host.selectedTree = u"Media"; t.clickSave(); },
         std::nullopt, TYPE_BASIC, 1, 1},
        {"Advance page, nothing chosen", [](SaveTest& t) { t.clickTab(kPageAdvance); t.clickSave(); }, PanelResult::Ok,
         Type_NONE, 0, 1},
        {"Advance page, a radio only: refused", [](SaveTest& t) { t.clickTab(kPageAdvance); t.clickRadio(1); t.clickSave(); },
         std::nullopt, Type_NONE, 0, 1},
    };
    setFixedText(image->macroStore.records[0].name, u"one");
    setFixedText(image->macroStore.records[1].name, u"two");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.selectedMacro = -1;
        host.selectedTree.reset();
        open();
        c.act(*this);
        EXPECT_EQ(host.ended, c.result);
        EXPECT_EQ(panel.result(), c.result);
        EXPECT_EQ(pending.mapType, c.mapType);
        EXPECT_EQ(pending.ItemCountOnList, c.count);
        if (c.result == PanelResult::Ok) {
            EXPECT_EQ(pending.KeyEnabled, c.keyEnabled);
        }
    }
}

TEST_F(SaveTest, DefaultEnablesWhateverTheBoxShowsAndDisableDisables) {
    open();
    panel.onKeyCaptured(0x41);
    clickDisable();
    clickSave();
    confirm();
    EXPECT_FALSE(enabled());
    EXPECT_EQ(entry(), (Entry{0, 0, 0x04, 0}));
    open();
    EXPECT_EQ(panel.regions()[kKeyMapDisable].BmpIndex, 1);  // the box shows the key's state
    EXPECT_EQ(pending.KeyEnabled, 0);
    clickDefault();
    confirm();
    EXPECT_TRUE(enabled());
    EXPECT_EQ(entry(), (Entry{0, 0, 0x14, 0}));
}

TEST_F(SaveTest, LeftCtrlThenCReachesTheEntry) {
    open();
    panel.onBoxFocused(CaptureBox::Combine);
    panel.onKeyCaptured(0xA2);
    panel.onKeyCaptured(0x43);
    clickSave();
    ASSERT_EQ(panel.result(), PanelResult::Ok);
    confirm();
    EXPECT_EQ(entry(), (Entry{0, 0xE0, 0x06, 0}));
    EXPECT_EQ(record().mapType, TYPE_COMBINE);
    EXPECT_EQ(record().keyCount, 2);
}

TEST_F(SaveTest, AGroupRefusesSaveInEitherLanguage) {
    for (auto [language, group, message] :
         {std::tuple{kLanguageEnglish, u"Media", u"Please select Sub item"}, std::tuple{kLanguageChinese, u"多媒体", u"请选择子项"},
          std::tuple{kLanguageChinese, u"快捷健", u"请选择子项"}, std::tuple{kLanguageEnglish, u"Windows", u"Please select Sub item"}}) {
        image->languageCode = language;
        dialogs.messages.clear();
        open();
        clickTab(kPageBasic);
        host.selectedTree = group;
        clickSave();
        EXPECT_FALSE(panel.result().has_value());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0], message);
        EXPECT_EQ(pending.mapType, TYPE_BASIC);
    }
}

TEST_F(SaveTest, TabSwitchesChangeOnlyThePanelsCopyOfTheRecord) {
    // Q starts a program; a look at other tabs, then Cancel or close, keeps it.
    assign(TYPE_STARTUP, {}, 0);
    setFixedText(record().actionPath, u"/usr/bin/xterm");
    const KeyAssignment before = record();
    for (int page : {kPageSingle, kPageMacro, kPageBasic}) {
        for (bool viaClose : {false, true}) {
            SCOPED_TRACE(page * 2 + viaClose);
            open();
            ASSERT_EQ(panel.page(), kPageAdvance);
            clickTab(page);
            clickTab(kPageAdvance);
            viaClose ? click(310, 10) : clickCancel();
            EXPECT_EQ(panel.result(), PanelResult::Cancel);
            EXPECT_EQ(std::memcmp(&record(), &before, sizeof before), 0);
        }
    }
    // Saved, the page's choice goes through the working record.
    open();
    clickTab(kPageSingle);
    EXPECT_EQ(record().mapType, TYPE_STARTUP);
    panel.onKeyCaptured(0x41);
    clickSave();
    EXPECT_EQ(panel.result(), PanelResult::Ok);
    EXPECT_EQ(record().mapType, TYPE_SINGLE);
    EXPECT_EQ(pending.mapType, TYPE_SINGLE);
}

TEST_F(SaveTest, AdvanceRadiosAndChoosers) {
    open();
    clickTab(kPageAdvance);
    dialogs.files.push_back(std::filesystem::path("/home/a/Music/song.mp3"));
    clickBrowse(0);
    EXPECT_EQ(pending.mapType, TYPE_PLAY_SOUND);
    EXPECT_EQ(panel.advancedItem(), 0);
    EXPECT_EQ(panel.markedRow(), 0);
    EXPECT_EQ(panel.pathText(), u".../song.mp3");
    clickRadio(2);  // empties the path, keeps the type
    EXPECT_EQ(path(), u"");
    EXPECT_EQ(pending.mapType, TYPE_PLAY_SOUND);
    EXPECT_EQ(panel.markedRow(), 8);
    EXPECT_EQ(panel.advancedItem(), 2);
    clickSave();  // a host action without a path would do nothing: refused
    EXPECT_FALSE(panel.result().has_value());
    EXPECT_EQ(dialogs.messages.back(), keyMapTexts(kLanguageEnglish).pathMissing);

    // Rows 0 and 1 mark their radio before the chooser runs, rows 2 and 3 only on a path.
    open();
    clickTab(kPageAdvance);
    clickBrowse(1);
    EXPECT_EQ(panel.markedRow(), 4);
    EXPECT_EQ(panel.advancedItem(), kNoRow);
    clickBrowse(2);
    EXPECT_EQ(panel.markedRow(), 4);
    dialogs.files.push_back(std::filesystem::path("/home/a/notes.txt"));
    clickBrowse(2);
    EXPECT_EQ(panel.markedRow(), 8);
    EXPECT_EQ(pending.mapType, TYPE_OPEN_FILE);
    clickSave();
    EXPECT_EQ(panel.result(), PanelResult::Ok);
    EXPECT_EQ(path(), u"/home/a/notes.txt");
    EXPECT_EQ(pending.mapType, TYPE_OPEN_FILE);
}

TEST_F(SaveTest, FileChoosersAskForTheirFiltersAndRememberTheLastPicked) {
    open();
    clickTab(kPageAdvance);
    for (int row = 0; row < 3; ++row) clickBrowse(row);
    ASSERT_EQ(dialogs.fileRequests.size(), 3u);
    const std::u16string filters[] = {u"mp3 Files(*.mp3)", u"exe Files(*.exe)", u"txt Files(*.txt)"};
    const std::u16string names[] = {u"*.mp3", u"*.exe", u"*.txt"};
    const std::u16string suffixes[] = {u"mp3", u"exe", u"txt"};
    for (int row = 0; row < 3; ++row) {
        const FileRequest& r = dialogs.fileRequests[static_cast<std::size_t>(row)];
        EXPECT_EQ(r.selectedFilter, filters[row]);
        EXPECT_EQ(r.filters, filters[row] + u";;All files (*)");
        EXPECT_EQ(r.initialName, names[row]);
        EXPECT_EQ(r.defaultSuffix, suffixes[row]);
        EXPECT_TRUE(r.mustExist);
        EXPECT_EQ(r.folder, std::filesystem::path("/home/someone"));
    }
    // The person picks "All files" for a sound: the next sound chooser starts there.
    struct PickingDialogs : PausingDialogs {
        using PausingDialogs::PausingDialogs;
        std::optional<std::filesystem::path> openFile(FileRequest& request) override {
            auto answer = PausingDialogs::openFile(request);
            request.selectedFilter = u"All files (*)";
            return answer;
        }
    } picking{host};
    KeyMapPanel other(host, picking, "/home/someone");
    other.open(*image, pending, kQ, 0x51);
    other.onLButtonUp(263, 44);
    other.onLButtonUp(270, 75);
    EXPECT_EQ(other.choosers().customFilter(0), u"All files (*)");
    EXPECT_EQ(other.choosers().customFilter(1), u"exe Files(*.exe)");
    other.onLButtonUp(270, 75);
    EXPECT_EQ(picking.fileRequests.back().selectedFilter, u"All files (*)");
    EXPECT_EQ(picking.fileRequests.back().filters, u"All files (*);;mp3 Files(*.mp3)");
    // Capture pauses while every chooser is open.
    EXPECT_EQ(dialogs.hookActiveAtDialog, std::vector<bool>(3, false));
    EXPECT_TRUE(host.hookActive);
}

TEST_F(SaveTest, TheFolderBrowser) {
    open();
    clickTab(kPageAdvance);
    dialogs.folder = std::filesystem::path("/home/a/My Music");
    clickBrowse(3);
    ASSERT_EQ(dialogs.folderTitles.size(), 1u);
    EXPECT_EQ(dialogs.folderTitles[0], u"modification path");
    EXPECT_EQ(path(), u"/home/a/My Music");
    EXPECT_EQ(pending.mapType, TYPE_OPEN_FOLDER);
    EXPECT_EQ(panel.markedRow(), 12);
    // A folder without a path: a message without caption and no path.
    dialogs.folder = std::filesystem::path();
    clickBrowse(3);
    EXPECT_EQ(dialogs.messages.back(), u"Please select a folder\n");
    EXPECT_EQ(path(), u"");
    // Cancel leaves the path as it was.
    setPendingPath(pending, u"/keep");
    dialogs.folder.reset();
    clickBrowse(3);
    EXPECT_EQ(path(), u"/keep");
}

TEST_F(SaveTest, ChosenPathsAreKeptExactlyOrRefusedWithAMessage) {
    const std::string odd = "/tmp/a dir/it's \"q\"; $(touch x)\nnext.sh";
    struct Case {
        std::string chosen;
        std::u16string stored;  // empty: refused
        std::u16string_view message;
    };
    const KeyMapTexts& t = keyMapTexts(kLanguageEnglish);
    const Case cases[] = {
        {"/" + std::string(254, 'p'), u"/" + std::u16string(254, u'p'), {}},
        {"/" + std::string(255, 'p'), u"", t.pathTooLong},
        {"relative/song.mp3", u"", t.pathNotUsable},
        {"/bad/\xff\xfe.mp3", u"", t.pathNotUsable},
        {"/", u"", t.pathNotUsable},
        {"/home/\xe5\xa3\xb0\xe9\x9f\xb3.mp3", u"/home/声音.mp3", {}},
        {odd, u"/tmp/a dir/it's \"q\"; $(touch x)\nnext.sh", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        assign(TYPE_SINGLE, {}, 0);
        open();
        clickTab(kPageAdvance);
        setPendingPath(pending, u"/before");
        dialogs.messages.clear();
        dialogs.files.push_back(std::filesystem::path(c.chosen));
        clickBrowse(1);
        if (c.stored.empty()) {
            EXPECT_EQ(path(), u"/before");
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0], c.message);
            EXPECT_EQ(pending.mapType, Type_NONE);
        } else {
            EXPECT_EQ(path(), c.stored);
            EXPECT_TRUE(dialogs.messages.empty());
            clickSave();
            confirm();
            EXPECT_EQ(fixedText(record().actionPath), c.stored);
            EXPECT_EQ(entry(), (Entry{KIND_HOST, 0, 0x51, 0}));
        }
    }
}

}  // namespace
}  // namespace orvane::test
