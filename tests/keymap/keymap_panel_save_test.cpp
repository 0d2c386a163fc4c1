#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>

#include "keymap/keymaptexts.h"
#include "keymap_panel_support.h"
#include "support/tempdir.h"

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
