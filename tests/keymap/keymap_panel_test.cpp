#include <gtest/gtest.h>

#include <cstring>

#include "keymap/keylabels.h"
#include "keymap/keymaptexts.h"
#include "keymap_panel_support.h"
#include "support/tempdir.h"

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
