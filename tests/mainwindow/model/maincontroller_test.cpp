#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "keyboardstate/keytables.h"
#include "macros/model/macro_test_support.h"
#include "macros/model/macropanelconfirm.h"
#include "mainwindow/model/maincontroller.h"
#include "mainwindow/model/recordinghost.h"
#include "mainwindow/model/sectionlayout.h"
#include "settings/macroslots.h"
#include "settings/settingsfiles.h"
#include "support/readfault.h"
#include "support/tempdir.h"
#include <array>
#include <filesystem>
#include "device/linkfixture.h"
#include "settings/keyassignment.h"
#include "mainwindow/model/keypicturetable.h"

namespace orvane {
namespace {

using test::RecordingHost;

class ControllerTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    MainWindowState state;
    RecordingHost host;
    MainWindowController controller{*image, state, dir.path(), host};
    MouseData& data() { return image->working.mouseData; }
    void click(int x, int y) { controller.onLButtonUp(x, y); }
};

TEST_F(ControllerTest, ReleaseOverSaveWhileHelpIsOpenOnlyClosesIt) {
    state.HelpWindowOpen = true;
    click(938, 612);
    EXPECT_FALSE(state.HelpWindowOpen);
    EXPECT_EQ(host.count("writeAll"), 0);
    EXPECT_EQ(host.paints, 1);
    // Rows of the help window: web address, updater, then nothing.
    state.HelpWindowOpen = true;
    click(900, 30);
    state.HelpWindowOpen = true;
    click(900, 50);
    state.HelpWindowOpen = true;
    click(900, 80);
    EXPECT_EQ(host.count("web"), 1);
    EXPECT_EQ(host.count("updater"), 1);
}

TEST_F(ControllerTest, KeymapChoiceOrTopDirectionAtTheSamePoint) {
    state.LightingCollapsed = false;
    state.DiyColorMode = true;
    data().ledEffect.LEDEffectMode = 51;
    data().ledEffect.LEDEffectDirection = 1;
    click(30, 205);
    EXPECT_FALSE(state.DiyColorMode);
    EXPECT_EQ(data().ledEffect.LEDEffectDirection, 1);
    data().ledEffect.LEDEffectMode = 3;
    click(30, 205);
    EXPECT_EQ(data().ledEffect.LEDEffectDirection, 3);
    // Breathing shows no direction pictures but the regions still answer.
    data().ledEffect.LEDEffectMode = 2;
    click(180, 205);
    EXPECT_EQ(data().ledEffect.LEDEffectDirection, 1);
}

TEST_F(ControllerTest, EffectListPicksARowOrClosesWithoutChange) {
    state.LightingCollapsed = false;
    data().ledEffect.LEDEffectMode = 2;
    click(100, 165);  // effect field
    ASSERT_TRUE(state.EffectListOpen);
    EXPECT_FALSE(state.slider(SliderKind::Brightness).visible);
    click(100, 493);  // just below the last row
    EXPECT_FALSE(state.EffectListOpen);
    EXPECT_EQ(data().ledEffect.LEDEffectMode, 2);

    // Wave forces colour 8; Static moves colour 8 back to 1; DIY turns the colour view on.
    data().ledEffect.LEDEffectColor = 3;
    click(100, 165);
    click(100, 173 + 2 * 20);
    EXPECT_EQ(data().ledEffect.LEDEffectMode, 3);
    EXPECT_EQ(data().ledEffect.LEDEffectColor, 8);
    EXPECT_EQ(state.SelectedEffectItem, 2);
    click(100, 165);
    click(100, 173);
    EXPECT_EQ(data().ledEffect.LEDEffectMode, 1);
    EXPECT_EQ(data().ledEffect.LEDEffectColor, 1);
    click(100, 165);
    click(100, 492);  // last row, DIY5
    EXPECT_EQ(data().ledEffect.LEDEffectMode, 55);
    EXPECT_TRUE(state.DiyColorMode);
}

TEST_F(ControllerTest, SwatchesFollowTheEffectRules) {
    state.LightingCollapsed = false;
    auto swatch = [&](int n) { click(30 + 25 * (n - 1), 230); };
    data().ledEffect.LEDEffectMode = 3;  // Wave
    data().ledEffect.LEDEffectColor = 8;
    swatch(2);
    EXPECT_EQ(data().ledEffect.LEDEffectColor, 8);
    data().ledEffect.LEDEffectMode = 1;  // Static: no swatch 8
    data().ledEffect.LEDEffectColor = 1;
    swatch(8);
    EXPECT_EQ(data().ledEffect.LEDEffectColor, 1);
    EXPECT_EQ(host.count("chooseColor"), 0);

    data().ledEffect.LEDEffectMode = 2;
    swatch(4);  // first click selects
    EXPECT_EQ(data().ledEffect.LEDEffectColor, 4);
    EXPECT_EQ(host.count("chooseColor"), 0);
    swatch(4);  // second click redefines; cancelled: palette unchanged
    EXPECT_EQ(host.count("chooseColor"), 1);
    EXPECT_EQ(paletteColor(data(), 3)[0], 0);
    host.colour = Rgb{10, 20, 30};
    swatch(4);
    EXPECT_EQ(paletteColor(data(), 3)[0], 10);
    EXPECT_EQ(paletteColor(data(), 3)[2], 30);
    swatch(8);
    EXPECT_EQ(data().ledEffect.LEDEffectColor, 8);
    EXPECT_EQ(host.count("chooseColor"), 2);  // swatch 8 never opens the chooser
}

TEST_F(ControllerTest, ResponseTimeListSetsOrClosesWithoutChange) {
    state.ResponseTimeCollapsed = false;
    data().ResponseTime = 10;
    const SectionLayout l = computeSectionLayout(state);
    click(100, l.yT + 30);
    ASSERT_TRUE(state.Popup_ResponseTime);
    click(100, l.responseListY + 200);
    EXPECT_FALSE(state.Popup_ResponseTime);
    EXPECT_EQ(data().ResponseTime, 10);
    click(100, l.yT + 30);
    click(100, l.responseListY + 5);
    EXPECT_EQ(data().ResponseTime, 1);
    EXPECT_EQ(state.SelectedResponseTimeItem, 0);
}

TEST_F(ControllerTest, GameModeAndWinLockChoices) {
    state.GameModeCollapsed = false;
    click(40, 195 + 35);
    EXPECT_EQ(data().GameMode, 1);
    click(170, 195 + 35);
    EXPECT_EQ(data().WinLock, 1);
    click(230, 195 + 35);
    EXPECT_EQ(data().WinLock, 0);
    click(100, 195 + 35);
    EXPECT_EQ(data().GameMode, 0);
}

TEST_F(ControllerTest, CancelAfterASaveRestoresThatSave) {
    data().GameMode = 1;
    click(938, 612);  // Save
    EXPECT_EQ(host.count("writeAll"), 1);
    EXPECT_EQ(image->saved.mouseData.GameMode, 1);
    data().GameMode = 0;
    data().ledEffect.LEDEffectMode = 52;
    image->saved.mouseData.ledEffect.LEDEffectSpeed = 7;
    click(870, 612);  // Cancel
    EXPECT_EQ(data().GameMode, 1);
    EXPECT_EQ(state.slider(SliderKind::Speed).position, 7);
    EXPECT_FALSE(state.DiyColorMode);
    EXPECT_EQ(host.count("hide"), 1);
    const auto file = test::readBytes(dir / "keymap.bin");
    ASSERT_EQ(file.size(), 206920u);
    EXPECT_EQ(file[7476], 1);
}

TEST_F(ControllerTest, SaveThatIsNotAcknowledgedKeepsTheSavedCopyAndTellsTheUser) {
    data().GameMode = 1;
    host.outcome = SaveOutcome::NoAcknowledgement;
    click(938, 612);
    EXPECT_EQ(image->saved.mouseData.GameMode, 0);
    EXPECT_EQ(host.count("message"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "keymap.bin"));
    host.outcome = SaveOutcome::Sent;
    click(938, 612);
    EXPECT_EQ(host.count("writeAll"), 2);
    EXPECT_EQ(image->saved.mouseData.GameMode, 1);
}

TEST_F(ControllerTest, CloseWritesTheSavedCopies) {
    image->saved.mouseData.GameMode = 1;
    data().GameMode = 0;
    click(980, 10);
    EXPECT_EQ(host.count("closeDialog"), 1);
    EXPECT_EQ(test::readBytes(dir / "keymap.bin").at(7476), 1);
}

TEST_F(ControllerTest, FactoryResetOnlyAfterConfirmation) {
    host.confirmAnswer = false;
    state.LightingCollapsed = false;
    image->modifiedKeyFlags[5] = 1;
    click(820, 612);
    EXPECT_EQ(host.count("factoryReset"), 0);
    EXPECT_FALSE(state.LightingCollapsed);
    EXPECT_FALSE(std::filesystem::exists(dir / "keymap.bin"));

    host.confirmAnswer = true;
    image->working.keyAssignments.records[42].mapType = TYPE_BASIC;
    state.DiyColorMode = true;
    click(820, 612);
    EXPECT_EQ(host.count("factoryReset"), 1);
    EXPECT_TRUE(state.LightingCollapsed);
    EXPECT_FALSE(state.DiyColorMode);
    EXPECT_EQ(image->modifiedKeyFlags[5], 0);
    EXPECT_EQ(image->working.keyAssignments.records[42].mapType, 0);
    EXPECT_EQ(image->working.keyAssignments.records[42].keyCode, 0x51);
    EXPECT_EQ(image->saved.mouseData.KeyEnableMask[20], 0xFF);
    EXPECT_EQ(test::readBytes(dir / "keymap.bin").at(7477), 0xFF);
}

TEST_F(ControllerTest, KeyClicksOpenTheAssignmentPanelOrTheColourChooser) {
    click(304 + 60, 80 + 260);  // Windows key, assignment mode: nothing
    EXPECT_EQ(host.count("keyAssignment"), 0);
    click(304 + 30, 80 + 120);  // Esc
    EXPECT_EQ(host.count("keyAssignment"), 1);
    EXPECT_EQ(state.CurrentKeyCode, 0x1B);
    EXPECT_EQ(image->modifiedKeyFlags[0], 0);  // cancelled: nothing applied

    host.panelOk = true;
    host.enableAfterApply = false;
    click(304 + 30, 80 + 120);
    EXPECT_FALSE(isKeyEnabled(data(), deviceSlotOfPosition(0)));
    EXPECT_EQ(image->modifiedKeyFlags[0], 1);
    EXPECT_EQ(test::readBytes(dir / "keymap.bin").size(), 206920u);

    // Colour view: the Windows key takes a colour too.
    state.DiyColorMode = true;
    data().ledEffect.LEDEffectMode = 52;
    host.colour = Rgb{1, 2, 3};
    click(304 + 60, 80 + 260);
    const std::size_t e = KeyPositionEntryMap[96];
    EXPECT_EQ(keyColorTable(data(), 1)[e + 1], 1);
    EXPECT_EQ(keyColorTable(data(), 1)[e + 3], 3);
    EXPECT_EQ(keyColorTable(data(), 0)[e + 1], 0);  // DIY1 keeps its own colours
}

TEST_F(ControllerTest, AKeyAssignmentThatCannotBeWrittenIsToldOnce) {
    image->languageCode = kLanguageEnglish;
    host.panelOk = true;
    host.enableAfterApply = false;  // the panel disables the key
    // The disk refuses keymap.bin while the panel is open: a folder takes its name.
    host.whilePanelOpen = [this] {
        std::filesystem::remove(dir / "keymap.bin");
        std::filesystem::create_directories(dir / "keymap.bin" / "blocked");
    };
    click(304 + 30, 80 + 120);  // Esc
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find(u"could not be written"), std::u16string::npos);
    EXPECT_NE(host.messages[0].find(u"keymap.bin"), std::u16string::npos);
    EXPECT_FALSE(isKeyEnabled(data(), deviceSlotOfPosition(0)));  // the change itself is in use
}

TEST_F(ControllerTest, UnreadableFilesAreToldOfOnceAndNoRegionWritesThem) {
    const std::vector<unsigned char> keymap(kKeymapFileSize, 0x5A), macros(kMacroStoreSize, 0x6B);
    test::writeBytes(dir / "keymap.bin", keymap);
    test::writeBytes(dir / "MacroDefine.bin", macros);
    image->languageCode = kLanguageEnglish;
    {
        test::ScopedReadFault fault("MacroDefine.bin", test::ScopedReadFault::At::FirstRead, EIO);
        EXPECT_EQ(loadMacroFile(*image, dir.path()), FileLoad::Unreadable);
    }
    controller.tellUnreadableFiles();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find((dir / "MacroDefine.bin").u16string()), std::u16string::npos);
    EXPECT_NE(host.messages[0].find(u"will not be kept"), std::u16string::npos);
    EXPECT_EQ(host.captions[0], u"Warning");

    // keymap.bin turns unreadable while the utility runs: the key click's
    // reload finds it, tells of it once, and the panel still opens.
    host.panelOk = true;
    {
        test::ScopedReadFault fault("keymap.bin", test::ScopedReadFault::At::Open, EACCES);
        click(304 + 30, 80 + 120);  // Esc
        click(304 + 30, 80 + 120);
    }
    EXPECT_EQ(host.count("keyAssignment"), 2);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[1].find((dir / "keymap.bin").u16string()), std::u16string::npos);
    controller.tellUnreadableFiles();
    EXPECT_EQ(host.messages.size(), 2u);

    data().GameMode = 1;
    click(938, 612);  // Save
    click(870, 612);  // Cancel
    click(820, 612);  // Default
    click(980, 10);   // Close
    EXPECT_EQ(host.count("writeAll"), 1);
    EXPECT_EQ(host.count("factoryReset"), 1);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(test::readBytes(dir / "keymap.bin"), keymap);
    EXPECT_EQ(test::readBytes(dir / "MacroDefine.bin"), macros);
}

TEST(UnreadableFileText, NamesTheFileInBothLanguages) {
    const std::filesystem::path file = "/home/user/.local/share/orvane/keymap.bin";
    const std::u16string english = unreadableFileText(file, kLanguageEnglish);
    const std::u16string chinese = unreadableFileText(file, kLanguageChinese);
    for (const std::u16string& text : {english, chinese}) {
        EXPECT_NE(text.find(u"/home/user/.local/share/orvane/keymap.bin"), std::u16string::npos);
    }
    EXPECT_NE(english.find(u"could not be read"), std::u16string::npos);
    EXPECT_NE(chinese.find(u"无法读取"), std::u16string::npos);
    EXPECT_NE(chinese.find(u"更改不会保存"), std::u16string::npos);
    EXPECT_EQ(unreadableFileCaption(kLanguageChinese), u"警告");
    // A folder name that is not UTF-8 still leaves the file's own name.
    const std::u16string odd = unreadableFileText("/tmp/\xff\xfe/MacroDefine.bin", kLanguageEnglish);
    EXPECT_NE(odd.find(u"MacroDefine.bin"), std::u16string::npos);
}

TEST_F(ControllerTest, ColourViewWithABuiltInEffectWritesNothing) {
    state.DiyColorMode = true;
    data().ledEffect.LEDEffectMode = 2;
    host.colour = Rgb{9, 9, 9};
    const MouseData before = data();
    click(304 + 30, 80 + 120);
    EXPECT_EQ(host.count("chooseColor"), 0);
    EXPECT_EQ(std::memcmp(&before, &data(), sizeof(MouseData)), 0);
}

TEST_F(ControllerTest, MacroButtonFollowsItsSectionAndOpensTheManager) {
    click(100, 155);  // yM + 10 with lighting collapsed
    EXPECT_EQ(host.count("macroManager"), 1);
    state.LightingCollapsed = false;
    click(100, 155);  // now inside the lighting section
    EXPECT_EQ(host.count("macroManager"), 1);
    click(100, 350);  // yM = 335
    EXPECT_EQ(host.count("macroManager"), 2);
}

TEST_F(ControllerTest, ProfileManagerEndsWithARefresh) {
    click(50, 620);
    EXPECT_EQ(host.count("profileManager"), 1);
    EXPECT_EQ(host.count("refresh1"), 1);
}

TEST_F(ControllerTest, HoverRepaintsOnKeyChangesAndOverRegionsAndDragsFromBackground) {
    controller.onMouseMove(600, 400, false);  // background
    EXPECT_EQ(host.paints, 0);
    controller.onMouseMove(330, 195, false);  // onto Esc
    EXPECT_EQ(host.paints, 1);
    controller.onMouseMove(331, 195, false);  // still Esc
    EXPECT_EQ(host.paints, 1);
    controller.onMouseMove(938, 612, false);  // off the key, over Save
    controller.onMouseMove(939, 612, false);  // over a region again
    EXPECT_EQ(host.paints, 3);

    controller.onLButtonDown();
    controller.onMouseMove(938, 612, true);  // held over a region: no drag
    EXPECT_EQ(host.count("drag"), 0);
    controller.onMouseMove(600, 400, true);  // held over background: drag
    EXPECT_EQ(host.count("drag"), 1);
    controller.onMouseMove(601, 400, false);  // button up clears the hold
    controller.onMouseMove(602, 400, false);
    EXPECT_EQ(host.count("drag"), 1);
}

TEST_F(ControllerTest, SliderNotificationRedrawsOnlyWhenThePositionChanged) {
    state.slider(SliderKind::Brightness).position = 0;
    controller.onSliderMoved(kBrightnessSliderId);
    EXPECT_EQ(host.count("drawSliderFace"), 0);
    state.slider(SliderKind::Brightness).position = 5;
    controller.onSliderMoved(kBrightnessSliderId);
    controller.onSliderMoved(kBrightnessSliderId);
    EXPECT_EQ(host.count("drawSliderFace"), 1);
    EXPECT_EQ(state.LastSliderPos[static_cast<int>(SliderKind::Brightness)], 5);
    EXPECT_EQ(image->working.mouseData.ledEffect.LEDEffectBrightness, 5);
}

TEST_F(ControllerTest, SectionHeadersToggleAndPaintAtOnce) {
    click(100, 115);
    EXPECT_FALSE(state.LightingCollapsed);
    EXPECT_EQ(host.paints, 2);  // the toggle's own repaint and the release's
    click(100, 395);            // game mode header with lighting expanded
    EXPECT_FALSE(state.GameModeCollapsed);
}

// Keys name their macro by slot; deleting a macro renumbers the later ones.
// What the macro manager's OK commits stays through the main window's Cancel,
// Save and close, so the keys, the slots and MacroDefine.bin keep agreeing.
class MacroRenumbering : public ControllerTest {
protected:
    static constexpr std::size_t kThird = 10, kSecond = 11;  // key positions
    test::FakeHook hook;
    test::FakeClock clock;
    test::OkPanelHost panelHost;
    MacroPanelController panel{kLanguageEnglish, hook, clock, panelHost};

    void SetUp() override {
        image->macroStore = *test::storeWith({{u"A", {0x01, 0x41, 0x81, 0x41}},
                                              {u"B", {0x01, 0x42, 0x81, 0x42}},
                                              {u"C", {0x01, 0x43, 0x81, 0x43}}});
        playsMacro(kThird, 2);
        playsMacro(kSecond, 1);
        fillMacroSlots(data(), image->macroStore);
        copyWorkingToSaved(*image);  // as the keyboard has it
    }
    void playsMacro(std::size_t position, std::uint8_t slot) {
        KeyAssignment& r = image->working.keyAssignments.records[position];
        r.mapType = TYPE_MACRO;
        r.mapData[0] = KIND_MACRO, r.mapData[1] = 1, r.mapData[2] = slot;
        deviceKeyEntry(data(), KeyPositionEntryMap[position])[0] = KIND_MACRO;
        deviceKeyEntry(data(), KeyPositionEntryMap[position])[1] = 1;
        deviceKeyEntry(data(), KeyPositionEntryMap[position])[2] = slot;
    }
    void deleteSecondMacroWithOk() {
        panel.open(image->macroStore);
        panel.onMacroSelected(1);
        panel.onLButtonUp(test::kMacroDelete.x, test::kMacroDelete.y);
        ASSERT_FALSE(confirmMacroPanel(*image, panel, dir.path()));
    }
    // The third macro, C, now plays from slot 1 wherever the key is read.
    void expectKeysFollowTheirMacros(const SettingsCopy& copy, bool withDevice) {
        EXPECT_EQ(copy.keyAssignments.records[kThird].mapType, TYPE_MACRO);
        EXPECT_EQ(copy.keyAssignments.records[kThird].mapData[2], 1);
        EXPECT_NE(copy.keyAssignments.records[kSecond].mapType, TYPE_MACRO);
        if (!withDevice) return;
        MouseData md = copy.mouseData;
        EXPECT_EQ(deviceKeyEntry(md, KeyPositionEntryMap[kThird])[2], 1);
        for (std::size_t b = 0; b < 4; ++b) {
            EXPECT_EQ(deviceKeyEntry(md, KeyPositionEntryMap[kSecond])[b],
                      DefaultDeviceKeyTable[KeyPositionEntryMap[kSecond] + b]);
        }
        MouseData expected = md;
        fillMacroSlots(expected, image->macroStore);
        EXPECT_EQ(md.MacroSlots, expected.MacroSlots);
    }
    SettingsCopy keymapFile() {
        auto read = std::make_unique<SettingsImage>();
        loadKeymapFile(*read, dir.path());
        return read->working;
    }
};

TEST_F(MacroRenumbering, CancelKeepsTheRenumberingAndTheNextSaveSendsIt) {
    deleteSecondMacroWithOk();
    controller.cancel();
    expectKeysFollowTheirMacros(image->working, true);
    expectKeysFollowTheirMacros(image->saved, false);
    expectKeysFollowTheirMacros(keymapFile(), true);
    // The keyboard still has the old numbering: the next Save has it to send.
    EXPECT_NE(image->working.mouseData.DeviceKeyTable, image->saved.mouseData.DeviceKeyTable);
    EXPECT_NE(image->working.mouseData.MacroSlots, image->saved.mouseData.MacroSlots);
    controller.save();
    controller.cancel();  // nothing left unsent: Cancel is plain again
    expectKeysFollowTheirMacros(image->working, true);
    EXPECT_FALSE(image->unsentMacroChanges.any);
}

TEST_F(MacroRenumbering, CloseWritesTheRecordsOfTheNewNumbering) {
    deleteSecondMacroWithOk();
    controller.closeWindow();
    expectKeysFollowTheirMacros(keymapFile(), false);
}

TEST_F(MacroRenumbering, TwoDeletesBeforeASaveAddUp) {
    deleteSecondMacroWithOk();   // B goes: C to slot 1
    panel.open(image->macroStore);
    panel.onMacroSelected(0);
    panel.onLButtonUp(test::kMacroDelete.x, test::kMacroDelete.y);  // A goes: C to slot 0
    ASSERT_FALSE(confirmMacroPanel(*image, panel, dir.path()));
    controller.cancel();
    EXPECT_EQ(image->working.keyAssignments.records[kThird].mapData[2], 0);
    EXPECT_EQ(deviceKeyEntry(data(), KeyPositionEntryMap[kThird])[2], 0);
}

}  // namespace
}  // namespace orvane

// A click on a key reloads the key assignments from keymap.bin before the
// panel opens; these tests follow that path through ApplyKeyAssignment and
// Save onto the virtual keyboard.



namespace orvane {
namespace {

using Entry = std::array<std::uint8_t, 4>;

constexpr std::size_t kQ = 42;

// A window around the controller: the panel answers with `answer`, Save runs
// write-all on the link, everything else does nothing.
struct LinkedHost : MainWindowHost {
    explicit LinkedHost(test::ConnectedRig& rig) : rig(rig) {}

    void paintAll() override {}
    void drawSliderFace(SliderKind) override {}
    void applySliderPositions() override {}
    void hideWindow() override {}
    void closeMainDialog() override {}
    void setWaitCursor(bool) override {}
    void startWindowDrag() override {}
    std::optional<Rgb> chooseColor() override { return std::nullopt; }
    bool confirm(std::u16string_view, std::u16string_view) override { return true; }
    void showMessage(std::u16string_view, std::u16string_view) override { ++messages; }
    SaveOutcome writeAll() override {
        switch (rig.link.writeAll(*rig.image)) {
            case WriteResult::NothingChanged: return SaveOutcome::NothingChanged;
            case WriteResult::Sent: return SaveOutcome::Sent;
            case WriteResult::NoAcknowledgement: return SaveOutcome::NoAcknowledgement;
            case WriteResult::NotConnected: break;
        }
        return SaveOutcome::NotConnected;
    }
    void factoryResetKeyboard() override {}
    void runMacroManager() override {}
    void runProfileManager() override {}
    bool runKeyAssignment(std::uint8_t, PendingAssignment& pending) override {
        answer(pending);
        return true;
    }
    void openWebAddress() override {}
    void startUpdater() override {}
    void sendRefresh(int) override {}

    test::ConnectedRig& rig;
    std::function<void(PendingAssignment&)> answer;
    int messages = 0;
};

class KeyClickReload : public ::testing::Test {
protected:
    KeyClickReload() {
        // What start-up and the refresh after the keyboard read leave behind.
        stampKeyCodes(rig.image->working.keyAssignments);
        copyWorkingToSaved(*rig.image);
        EXPECT_TRUE(writeKeymapFromWorking(*rig.image, dir.path()));
    }

    void clickKey(std::size_t position) {
        const KeyPicture& k = KeyPictureTable[position];
        controller.onLButtonUp(kKeyboardPictureX + (k.left + k.right) / 2,
                               kKeyboardPictureY + (k.top + k.bottom) / 2);
    }
    void clickSave() { controller.onLButtonUp(938, 612); }
    Entry keyboardEntry(std::size_t position) const {
        const MouseData memory = rig.keyboard->memory();
        const auto e = deviceKeyEntry(memory, KeyPositionEntryMap[position]);
        return {e[0], e[1], e[2], e[3]};
    }

    test::TempDir dir;
    test::ConnectedRig rig;
    MainWindowState state;
    LinkedHost host{rig};
    MainWindowController controller{*rig.image, state, dir.path(), host};
};

TEST_F(KeyClickReload, DeletedKeymapStillGivesEachAnswerTheKeysOwnCode) {
    struct Case {
        const char* name;
        std::function<void(PendingAssignment&)> answer;
        Entry expected;
    };
    const Case cases[] = {
        {"Default button", [](PendingAssignment& p) { p.ItemCountOnList = kDefaultButtonCount; },
         {KIND_KEYS, 0, 0x14, 0}},
        {"Type_NONE", [](PendingAssignment& p) {
             p.ItemCountOnList = 0;
             p.mapType = Type_NONE;
         },
         {KIND_KEYS, 0, 0x14, 0}},
        {"Open Folder", [](PendingAssignment& p) {
             p.ItemCountOnList = 0;
             p.mapType = TYPE_OPEN_FOLDER;
             ASSERT_TRUE(setPendingPath(p, u"/home/user/Music"));
         },
         {KIND_HOST, 0, 0x51, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Q first becomes A on the keyboard, so every case has to send something.
        host.answer = [](PendingAssignment& p) {
            p.mapType = TYPE_SINGLE;
            p.ItemCountOnList = 1;
            p.CapturedKeys.fill(0);
            p.CapturedKeys[0] = 0x41;
            p.KeyEnabled = 1;
        };
        clickKey(kQ);
        clickSave();
        ASSERT_EQ(keyboardEntry(kQ), (Entry{KIND_KEYS, 0, 0x04, 0}));

        std::filesystem::remove(dir / "keymap.bin");
        host.answer = c.answer;
        clickKey(kQ);
        clickSave();
        EXPECT_EQ(keyboardEntry(kQ), c.expected);
        EXPECT_EQ(rig.image->working.keyAssignments.records[kQ].keyCode, 0x51);
        EXPECT_EQ(test::readBytes(dir / "keymap.bin").at(kMouseDataSize + kQ * kKeyAssignmentSize), 0x51);
    }
    EXPECT_EQ(host.messages, 0);  // a missing file is no fault to report
}

}  // namespace
}  // namespace orvane
