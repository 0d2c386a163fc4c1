#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "keyboardstate/keytables.h"
#include "macros/model/macropanelconfirm.h"
#include "macros/model/macroslotmoves.h"
#include "macro_test_support.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

TEST(MacroSlotMoves, LaterMacrosFollowEveryDeletion) {
    MacroSlotMoves moves;
    EXPECT_FALSE(moves.any());
    moves.deleted(2);  // 0 1 [2] 3 4 ... -> 3 is now 2
    moves.deleted(0);  // then the first
    struct Row { std::size_t opened; std::optional<std::size_t> now; };
    const Row rows[] = {{0, std::nullopt}, {1, 0}, {2, std::nullopt}, {3, 1}, {4, 2}, {31, 29},
                        {32, std::nullopt}, {200, std::nullopt}};
    for (const Row& r : rows) EXPECT_EQ(moves.slotOf(r.opened), r.now) << r.opened;
    EXPECT_TRUE(moves.any());
    MacroSlotMoves beyond;
    beyond.deleted(40);  // past the keyboard's slots: no key can name it
    EXPECT_FALSE(beyond.any());
}

// Position p assigned to macro `slot`, record and device entry alike.
void assignMacro(SettingsImage& image, std::size_t p, std::uint8_t slot) {
    KeyAssignment& r = image.working.keyAssignments.records[p];
    r.mapType = TYPE_MACRO;
    r.mapData[0] = 4;
    r.mapData[1] = 1;
    r.mapData[2] = slot;
    const std::size_t offset = KeyPositionEntryMap[p];
    auto& table = image.working.mouseData.DeviceKeyTable;
    table[offset] = KIND_MACRO;
    table[offset + 1] = 1;
    table[offset + 2] = slot;
    table[offset + 3] = 0;
    image.modifiedKeyFlags[p] = 1;
}

std::array<std::uint8_t, 4> entryOf(const SettingsImage& image, std::size_t p) {
    const std::size_t offset = KeyPositionEntryMap[p];
    const auto& t = image.working.mouseData.DeviceKeyTable;
    return {t[offset], t[offset + 1], t[offset + 2], t[offset + 3]};
}

std::array<std::uint8_t, 4> defaultEntryOf(std::size_t p) {
    const std::size_t offset = KeyPositionEntryMap[p];
    return {DefaultDeviceKeyTable[offset], DefaultDeviceKeyTable[offset + 1], DefaultDeviceKeyTable[offset + 2],
            DefaultDeviceKeyTable[offset + 3]};
}

class KeysFollowMacros : public ::testing::Test {
protected:
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    void SetUp() override {
        image->working.mouseData.DeviceKeyTable = DefaultDeviceKeyTable;
        assignMacro(*image, 10, 1);  // before the deleted macro
        assignMacro(*image, 20, 3);  // the deleted macro
        assignMacro(*image, 30, 5);  // after it
        KeyAssignment& unchosen = image->working.keyAssignments.records[40];
        unchosen.mapType = TYPE_MACRO;  // a macro choice without a macro
        unchosen.mapData = {4, 1, 0xFF, 0};
        image->working.keyAssignments.records[50].mapType = TYPE_SINGLE;
        image->working.keyAssignments.records[50].mapData[0] = 0x41;
        image->working.keyAssignments.records[50].mapData[2] = 3;  // not a macro: left alone
    }
};

TEST_F(KeysFollowMacros, AKeyOfADeletedMacroReturnsToItsDefaultAndLaterOnesMoveDown) {
    MacroSlotMoves moves;
    moves.deleted(3);
    const SettingsImage before = *image;
    EXPECT_EQ(applyMacroSlotMoves(*image, moves), 4u);  // record and entry of two keys

    const auto& records = image->working.keyAssignments.records;
    EXPECT_EQ(records[10].mapData[2], 1);
    EXPECT_EQ(entryOf(*image, 10), (std::array<std::uint8_t, 4>{KIND_MACRO, 1, 1, 0}));
    EXPECT_EQ(records[30].mapData[2], 4);
    EXPECT_EQ(entryOf(*image, 30), (std::array<std::uint8_t, 4>{KIND_MACRO, 1, 4, 0}));
    EXPECT_EQ(image->modifiedKeyFlags[30], 1);

    EXPECT_EQ(records[20].mapType, TYPE_SINGLE);
    EXPECT_EQ(records[20].keyCount, 0);
    EXPECT_EQ(records[20].mapData, KeyAssignment{}.mapData);
    EXPECT_EQ(entryOf(*image, 20), defaultEntryOf(20));
    EXPECT_EQ(image->modifiedKeyFlags[20], 0);

    EXPECT_EQ(std::memcmp(&records[40], &before.working.keyAssignments.records[40], sizeof(KeyAssignment)), 0);
    EXPECT_EQ(std::memcmp(&records[50], &before.working.keyAssignments.records[50], sizeof(KeyAssignment)), 0);
    // The saved copy and the enable mask are not touched: Save sends the change.
    EXPECT_EQ(std::memcmp(&image->saved, &before.saved, sizeof(SettingsCopy)), 0);
    EXPECT_EQ(image->working.mouseData.KeyEnableMask, before.working.mouseData.KeyEnableMask);
}

TEST_F(KeysFollowMacros, WithoutDeletionsNothingChanges) {
    const SettingsImage before = *image;
    EXPECT_EQ(applyMacroSlotMoves(*image, MacroSlotMoves{}), 0u);
    EXPECT_EQ(std::memcmp(image.get(), &before, sizeof(SettingsImage)), 0);
}

TEST_F(KeysFollowMacros, OkOfThePanelRenumbersWritesBothFilesAndReportsAFailedWrite) {
    test::TempDir dir;
    for (int i = 0; i < 6; ++i) setFixedText(image->macroStore.records[static_cast<std::size_t>(i)].name, std::u16string(1, char16_t(u'A' + i)));
    image->languageCode = kLanguageEnglish;
    test::FakeClock clock;
    test::FakeHook hook;
    struct Host final : MacroPanelHost {
        void showMessage(const PanelMessage&) override {}
        bool confirm(const PanelMessage&) override { return true; }
        void endPanel(bool) override {}
        void startWindowDrag() override {}
    } host;
    MacroPanelController panel(kLanguageEnglish, hook, clock, host);
    panel.open(image->macroStore);
    panel.onMacroSelected(3);
    panel.onLButtonUp(100, 380);  // Delete, confirmed
    ASSERT_EQ(panel.session().macroNames().size(), 5u);

    EXPECT_EQ(confirmMacroPanel(*image, panel, dir.path()), std::nullopt);
    EXPECT_EQ(fixedText(image->macroStore.records[3].name), u"E");
    const auto keymap = test::readBytes(dir / "keymap.bin");
    ASSERT_EQ(keymap.size(), kKeymapFileSize);
    const std::size_t record30 = kMouseDataSize + 30 * kKeyAssignmentSize;
    EXPECT_EQ(keymap[record30 + offsetof(KeyAssignment, mapData) + 2], 4);
    EXPECT_EQ(keymap[offsetof(MouseData, DeviceKeyTable) + KeyPositionEntryMap[30] + 2], 4);
    EXPECT_EQ(test::readBytes(dir / "MacroDefine.bin").size(), kMacroStoreSize);

    EXPECT_FALSE(panel.slotMoves().any());  // handed over once
    const auto failed = confirmMacroPanel(*image, panel, dir / "no" / "such" / "folder");
    ASSERT_TRUE(failed);
    EXPECT_EQ(image->working.keyAssignments.records[30].mapData[2], 4);
    EXPECT_EQ(failed->caption, u"Macro Manager");
    EXPECT_EQ(failed->text.find(u"MacroDefine.bin and keymap.bin could not be written"), 0u);
    // With keymap.bin unreadable the macros still reach MacroDefine.bin, and
    // the message says so rather than that nothing was saved.
    image->unreadableFiles.keymap = true;
    panel.open(image->macroStore);
    const auto kept = confirmMacroPanel(*image, panel, dir.path());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->text.find(u"The macros were saved in MacroDefine.bin, but keymap.bin"), 0u);
    EXPECT_EQ(macroSaveFailedMessage(kLanguageChinese, {}).caption, u"宏管理");
}

}  // namespace
}  // namespace orvane
