#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "keyboardstate/settingsimage.h"

namespace orvane {
namespace {

std::unique_ptr<SettingsImage> freshImage() { return std::make_unique<SettingsImage>(); }

// Where each named field lands in the raw record: the record is a file format,
// so a shifted field would corrupt every keymap.bin and profile on disk.
TEST(SettingsImageLayout, NamedFieldsSitAtTheirByteOffsets) {
    auto md = std::make_unique<MouseData>();
    std::memset(md.get(), 0, sizeof(MouseData));
    md->ReportRate = 0xA1;
    md->DeviceKeyTable[0] = 0xA2;
    md->MacroSlots[0] = 0xA3;
    md->ResponseTime = 0xA4;
    md->ledEffect.LEDEffectMode = 0xA5;
    md->ledEffect.LEDEffectSpeed = 0xA6;
    md->ledEffect.LEDEffectBrightness = 0xA7;
    md->ledEffect.LEDEffectColor = 0xA8;
    md->ledEffect.LEDEffectDirection = 0xA9;
    md->PaletteColors[0] = 0xAA;
    md->GameMode = 0xAB;
    md->KeyEnableMask[0] = 0xAC;
    md->WinLock = 0xAD;
    md->KeyColorTables[0] = 0xAE;
    md->KeyColorTables[2559] = 0xAF;
    const auto* raw = reinterpret_cast<const unsigned char*>(md.get());
    const std::pair<std::size_t, unsigned char> expected[] = {
        {11, 0xA1},   {792, 0xA2},  {1304, 0xA3}, {7449, 0xA4}, {7450, 0xA5},
        {7451, 0xA6}, {7452, 0xA7}, {7453, 0xA8}, {7454, 0xA9}, {7455, 0xAA},
        {7476, 0xAB}, {7477, 0xAC}, {7498, 0xAD}, {7499, 0xAE}, {10058, 0xAF},
    };
    std::size_t nonZero = 0;
    for (std::size_t i = 0; i < sizeof(MouseData); ++i) nonZero += raw[i] != 0;
    EXPECT_EQ(nonZero, std::size(expected));
    for (const auto& [offset, value] : expected) EXPECT_EQ(raw[offset], value) << "offset " << offset;
}

TEST(SettingsImageLayout, RecordSizesMatchTheFiles) {
    EXPECT_EQ(sizeof(MouseData), 10060u);
    EXPECT_EQ(sizeof(KeyAssignment), 772u);
    EXPECT_EQ(sizeof(KeyAssignmentTable), 196860u);
    EXPECT_EQ(sizeof(MacroRecord), 894u);
    EXPECT_EQ(sizeof(MacroStore), 169860u);
}

TEST(SettingsImageLayout, KeyAssignmentAndMacroFieldsSitAtTheirOffsets) {
    auto table = std::make_unique<KeyAssignmentTable>();
    KeyAssignment& r = table->records[3];
    r.keyCode = 0x51;
    r.mapType = TYPE_COMBINE;
    r.mapData[254] = 0x77;
    r.keyCount = 2;
    r.actionPath[0] = u'/';
    r.actionPath[255] = 0x1234;
    const auto* raw = reinterpret_cast<const unsigned char*>(table.get()) + 3 * 772;
    EXPECT_EQ(raw[0], 0x51);
    EXPECT_EQ(raw[1], 1);
    EXPECT_EQ(raw[256], 0x77);
    EXPECT_EQ(raw[257], 2);
    EXPECT_EQ(raw[260], '/');
    EXPECT_EQ(raw[261], 0);
    EXPECT_EQ(raw[770], 0x34);  // little-endian UTF-16
    EXPECT_EQ(raw[771], 0x12);

    auto store = std::make_unique<MacroStore>();
    MacroRecord& m = store->records[189];
    m.name[0] = u'M';
    m.loopCount = 0x0123;
    m.options = 1;
    m.deviceEvents[0] = 0x01;
    m.hostEvents[189] = 0x42;
    const auto* mraw = reinterpret_cast<const unsigned char*>(store.get()) + 189 * 894;
    EXPECT_EQ(mraw[0], 'M');
    EXPECT_EQ(mraw[510], 0x23);
    EXPECT_EQ(mraw[511], 0x01);
    EXPECT_EQ(mraw[512], 1);
    EXPECT_EQ(mraw[513], 0x01);
    EXPECT_EQ(mraw[892], 0x42);
}

TEST(KeyEnableMask, SlotToBitRule) {
    MouseData md{};
    setKeyEnabled(md, 6, true);  // left Windows key: byte 1, bit 0
    EXPECT_EQ(md.KeyEnableMask[1], 0x01);
    setKeyEnabled(md, 125, true);  // last slot that fits: byte 20, bit 5
    EXPECT_EQ(md.KeyEnableMask[20], 0x20);
    setKeyEnabled(md, 5, true);
    EXPECT_EQ(md.KeyEnableMask[0], 0x20);
    EXPECT_TRUE(isKeyEnabled(md, 5));
    setKeyEnabled(md, 5, false);
    EXPECT_EQ(md.KeyEnableMask[0], 0x00);
    EXPECT_FALSE(isKeyEnabled(md, 5));
}

TEST(KeyEnableMask, SlotsPastTheMaskNeverTouchWinLock) {
    MouseData md{};
    setKeyEnabled(md, 126, true);
    setKeyEnabled(md, 127, true);
    EXPECT_EQ(md.WinLock, 0);
    EXPECT_FALSE(isKeyEnabled(md, 127));
}

TEST(KeyEnableMask, WinLockClearsOrSetsTheWindowsBit) {
    MouseData md{};
    md.KeyEnableMask.fill(0xFF);
    md.WinLock = 1;
    applyWinLock(md);
    EXPECT_EQ(md.KeyEnableMask[1], 0x3E);  // bits 6 and 7 go too
    md.WinLock = 0;
    applyWinLock(md);
    EXPECT_EQ(md.KeyEnableMask[1], 0x3F);
}

TEST(SettingsCopies, EachOperationCopiesExactlyItsRecords) {
    auto image = freshImage();
    image->working.mouseData.GameMode = 1;
    image->working.keyAssignments.records[7].mapType = TYPE_BASIC;
    copyWorkingMouseDataToSaved(*image);
    EXPECT_EQ(image->saved.mouseData.GameMode, 1);
    EXPECT_EQ(image->saved.keyAssignments.records[7].mapType, 0);

    copyWorkingToSaved(*image);
    EXPECT_EQ(image->saved.keyAssignments.records[7].mapType, TYPE_BASIC);

    image->working.mouseData.GameMode = 0;
    image->working.keyAssignments.records[7].mapType = TYPE_MACRO;
    copySavedToWorking(*image);
    EXPECT_EQ(image->working.mouseData.GameMode, 1);
    EXPECT_EQ(image->working.keyAssignments.records[7].mapType, TYPE_BASIC);
}

TEST(SettingsFields, SpansAddressTheirSlotsAndTables) {
    auto md = std::make_unique<MouseData>();
    macroSlot(*md, 31)[191] = 9;
    EXPECT_EQ(md->MacroSlots[31 * 192 + 191], 9);
    keyColorTable(*md, 4)[0] = 7;
    EXPECT_EQ(md->KeyColorTables[4 * 512], 7);
    paletteColor(*md, 6)[2] = 5;
    EXPECT_EQ(md->PaletteColors[20], 5);
    deviceKeyEntry(*md, 508)[3] = 3;
    EXPECT_EQ(md->DeviceKeyTable[511], 3);
}

TEST(FixedText, RefusesTextThatDoesNotFitWithItsTerminator) {
    std::array<char16_t, 4> buffer{u'x', u'y', u'z', u'w'};
    EXPECT_FALSE(setFixedText(buffer, u"abcd"));
    EXPECT_EQ(buffer[0], u'x');  // unchanged
    EXPECT_TRUE(setFixedText(buffer, u"abc"));
    EXPECT_EQ(fixedText(buffer), u"abc");
    EXPECT_EQ(buffer[3], u'\0');
    EXPECT_TRUE(setFixedText(buffer, u""));
    EXPECT_EQ(fixedText(buffer), u"");
    // An unterminated buffer (a foreign file) reads up to its end, not past it.
    buffer = {u'a', u'b', u'c', u'd'};
    EXPECT_EQ(fixedText(buffer), u"abcd");
}

}  // namespace
}  // namespace orvane
