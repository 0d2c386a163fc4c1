#include <algorithm>
#include <functional>

#include "device/readall.h"
#include "linkfixture.h"

namespace orvane {
namespace {

using test::entriesOf;
using test::VirtualRig;
using Kind = TranscriptEntry::Kind;

struct PacingRow {
    const char* name;
    std::function<void(CommandHandle&, MouseData&)> run;
    std::vector<int> waits;            // every wait the command requests, in order
    std::vector<std::uint8_t> frame;   // bytes 1..7 of the frame it sends
};

TEST(Commands, EachCommandSendsItsFrameAndPacesExactly) {
    const std::vector<PacingRow> rows = {
        {"GetFirmwareVersion", [](CommandHandle& h, MouseData&) { GetFirmwareVersion(h); }, {10, 10}, {0x80, 0, 0, 0, 0, 0, 0}},
        {"GetReportRate", [](CommandHandle& h, MouseData& d) { GetReportRate(h, d); }, {10, 10}, {0x81, 0, 0, 0, 0, 0, 0}},
        {"SetReportRate", [](CommandHandle& h, MouseData& d) { d.ReportRate = 2; SetReportRate(h, d); }, {10}, {0x01, 2, 0, 0, 0, 0, 0}},
        {"GetResponseTime", [](CommandHandle& h, MouseData& d) { GetResponseTime(h, d); }, {10, 10}, {0x84, 0, 0, 0, 0, 0, 0}},
        {"SetResponseTime", [](CommandHandle& h, MouseData& d) { d.ResponseTime = 7; SetResponseTime(h, d); }, {10}, {0x04, 7, 0, 0, 0, 0, 0}},
        {"GetLightingEffect", [](CommandHandle& h, MouseData& d) { GetLightingEffect(h, d); }, {10}, {0x88, 0, 0, 0, 0, 0, 0}},
        {"GetGameMode", [](CommandHandle& h, MouseData& d) { GetGameMode(h, d); }, {5}, {0x89, 0, 0, 0, 0, 0, 0}},
        {"SetGameMode", [](CommandHandle& h, MouseData& d) { SetGameMode(h, d, 1); }, {20}, {0x09, 1, 0, 0, 0, 0, 0}},
        {"GetPaletteColor", [](CommandHandle& h, MouseData& d) { GetPaletteColor(h, d, 4); }, {1, 1}, {0x94, 0, 4, 0, 0, 0, 0}},
        {"SetPaletteColor", [](CommandHandle& h, MouseData& d) { paletteColor(d, 3)[0] = 9; paletteColor(d, 3)[2] = 7; SetPaletteColor(h, d, 3); }, {20}, {0x14, 0, 3, 9, 0, 7, 0}},
        {"FactoryReset", [](CommandHandle& h, MouseData&) { FactoryReset(h); }, {300}, {0x13, 0xFF, 0, 0, 0, 0, 0}},
        {"ReadKeyTable", [](CommandHandle& h, MouseData& d) { ReadKeyTable(h, d); }, {}, {0x8D, 0, 0, 0, 0, 0, 0}},
        {"WriteKeyTable", [](CommandHandle& h, MouseData& d) { WriteKeyTable(h, d); }, {50, 60}, {0x0D, 0, 0, 8, 0, 0, 0}},
        {"ReadKeyEnableMask", [](CommandHandle& h, MouseData& d) { ReadKeyEnableMask(h, d); }, {}, {0x8E, 0, 0, 21, 0, 0, 0}},
        {"WriteKeyEnableMask", [](CommandHandle& h, MouseData& d) { WriteKeyEnableMask(h, d); }, {10}, {0x0E, 0, 0, 21, 0, 0, 0}},
        {"ReadMacroSlot", [](CommandHandle& h, MouseData& d) { ReadMacroSlot(h, d, 31); }, {}, {0x91, 0, 31, 0, 0, 0, 0}},
        {"WriteMacroSlot", [](CommandHandle& h, MouseData& d) { WriteMacroSlot(h, d, 5); }, {1, 0, 0}, {0x11, 0, 5, 3, 0, 0, 0}},
        {"ReadKeyColorTable", [](CommandHandle& h, MouseData& d) { ReadKeyColorTable(h, d, 4); }, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, {0x92, 0, 4, 8, 0, 0, 0}},
        {"WriteKeyColorTable", [](CommandHandle& h, MouseData& d) { WriteKeyColorTable(h, d, 2); }, {5, 5, 5, 5, 5, 5, 5, 5, 5}, {0x12, 0, 2, 8, 0, 0, 0}},
    };
    for (const PacingRow& row : rows) {
        VirtualRig rig;
        auto handle = rig.commandHandle();
        auto data = std::make_unique<MouseData>();
        row.run(*handle, *data);
        EXPECT_EQ(rig.sleeper.waits(), row.waits) << row.name;
        const auto frames = entriesOf(rig.keyboard->transcript(), Kind::FeatureOut);
        ASSERT_EQ(frames.size(), 1u) << row.name;
        EXPECT_EQ(std::vector<std::uint8_t>(frames[0].bytes.begin() + 1, frames[0].bytes.begin() + 8), row.frame)
            << row.name;
        EXPECT_TRUE(frameChecksumValid(std::span<const std::uint8_t, 9>(frames[0].bytes.data(), 9))) << row.name;
    }
}

TEST(Commands, IndexOutOfRangeSendsNothing) {
    VirtualRig rig;
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    EXPECT_FALSE(GetPaletteColor(*handle, *data, 7));
    EXPECT_FALSE(SetPaletteColor(*handle, *data, 7));
    EXPECT_FALSE(ReadMacroSlot(*handle, *data, 32));
    EXPECT_FALSE(WriteMacroSlot(*handle, *data, 32));
    EXPECT_FALSE(ReadKeyColorTable(*handle, *data, 5));
    EXPECT_FALSE(WriteKeyColorTable(*handle, *data, 5));
    EXPECT_TRUE(rig.keyboard->transcript().empty());
}

TEST(Commands, SpeedIsSentAsTenMinusItAndReadBackTheSameWay) {
    const std::pair<std::uint8_t, std::uint8_t> rows[] = {{0, 10}, {9, 1}, {5, 5}};
    for (auto [speed, wire] : rows) {
        VirtualRig rig;
        auto handle = rig.commandHandle();
        auto data = std::make_unique<MouseData>();
        data->ledEffect = {3, speed, 40, 2, 1};
        SetLightingEffect(*handle, *data, LightingPhase::Commit);
        EXPECT_EQ(rig.keyboard->memory().ledEffect.LEDEffectSpeed, wire);
        data->ledEffect.LEDEffectSpeed = 77;
        ASSERT_TRUE(GetLightingEffect(*handle, *data));
        EXPECT_EQ(data->ledEffect.LEDEffectSpeed, speed);
    }
}

TEST(Commands, LightingPhaseOneCarriesBrightnessZero) {
    VirtualRig rig;
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    data->ledEffect = {52, 3, 37, 4, 2};
    SetLightingEffect(*handle, *data, LightingPhase::Begin);
    SetLightingEffect(*handle, *data, LightingPhase::Commit);
    const auto frames = entriesOf(rig.keyboard->transcript(), Kind::FeatureOut);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].bytes, (std::vector<std::uint8_t>{0, 0x08, 1, 52, 7, 0, 4, 2, frames[0].bytes[8]}));
    EXPECT_EQ(frames[1].bytes[2], 2);
    EXPECT_EQ(frames[1].bytes[5], 37);
}

TEST(Commands, WinLockFollowsTheLeftWindowsBitOfTheMask) {
    const std::pair<std::uint8_t, std::uint8_t> rows[] = {{0x3E, 1}, {0x3F, 0}, {0xFE, 1}, {0x01, 0}};
    for (auto [maskByte1, winLock] : rows) {
        VirtualRig rig;
        MouseData memory = rig.keyboard->memory();
        memory.KeyEnableMask[1] = maskByte1;
        rig.keyboard->setMemory(memory);
        auto handle = rig.commandHandle();
        auto data = std::make_unique<MouseData>();
        data->WinLock = 7;
        ASSERT_TRUE(ReadKeyEnableMask(*handle, *data));
        EXPECT_EQ(data->WinLock, winLock) << int(maskByte1);
        EXPECT_EQ(data->KeyEnableMask[1], maskByte1);
    }
}

TEST(Commands, SetGameModeMirrorsWinLockIntoTheMask) {
    VirtualRig rig;
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    data->KeyEnableMask[1] = 0x3F;
    data->WinLock = 1;
    SetGameMode(*handle, *data, 0);
    EXPECT_EQ(data->KeyEnableMask[1], 0x3E);
    data->WinLock = 0;
    SetGameMode(*handle, *data, 0);
    EXPECT_EQ(data->KeyEnableMask[1], 0x3F);
}

TEST(BlockTransfers, KeyTableArrivesInEightChunksAndChunkThreeLandsAt192) {
    VirtualRig rig;
    MouseData memory = rig.keyboard->memory();
    for (std::size_t i = 0; i < 512; ++i) memory.DeviceKeyTable[i] = static_cast<std::uint8_t>(i / 64 + 1);
    rig.keyboard->setMemory(memory);
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    ASSERT_TRUE(ReadKeyTable(*handle, *data));
    EXPECT_EQ(entriesOf(rig.keyboard->transcript(), Kind::DataIn).size(), 8u);
    for (std::size_t i = 192; i < 256; ++i) ASSERT_EQ(data->DeviceKeyTable[i], 4) << i;
    EXPECT_EQ(data->DeviceKeyTable[191], 3);
    EXPECT_EQ(data->DeviceKeyTable[256], 5);
    EXPECT_EQ(data->DeviceKeyTable, memory.DeviceKeyTable);
}

TEST(BlockTransfers, MaskReportCarriesTheMaskThenZeros) {
    VirtualRig rig;
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    for (std::size_t i = 0; i < 21; ++i) data->KeyEnableMask[i] = static_cast<std::uint8_t>(0xC0 + i);
    data->WinLock = 0xAA;  // the byte after the mask must not leak into the report
    ASSERT_TRUE(WriteKeyEnableMask(*handle, *data));
    const auto reports = entriesOf(rig.keyboard->transcript(), Kind::DataOut);
    ASSERT_EQ(reports.size(), 1u);
    ASSERT_EQ(reports[0].bytes.size(), 65u);
    EXPECT_EQ(reports[0].bytes[0], 0);
    for (std::size_t i = 0; i < 21; ++i) EXPECT_EQ(reports[0].bytes[1 + i], 0xC0 + i);
    for (std::size_t i = 22; i <= 64; ++i) ASSERT_EQ(reports[0].bytes[i], 0) << i;
    EXPECT_EQ(rig.keyboard->memory().KeyEnableMask, data->KeyEnableMask);
}

TEST(BlockTransfers, MacroSlotAndColorTableRoundTrip) {
    VirtualRig rig;
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    for (std::size_t i = 0; i < 192; ++i) macroSlot(*data, 7)[i] = static_cast<std::uint8_t>(i * 3);
    for (std::size_t i = 0; i < 512; ++i) keyColorTable(*data, 3)[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_TRUE(WriteMacroSlot(*handle, *data, 7));
    ASSERT_TRUE(WriteKeyColorTable(*handle, *data, 3));
    auto back = std::make_unique<MouseData>();
    ASSERT_TRUE(ReadMacroSlot(*handle, *back, 7));
    ASSERT_TRUE(ReadKeyColorTable(*handle, *back, 3));
    EXPECT_TRUE(std::ranges::equal(macroSlot(*back, 7), macroSlot(*data, 7)));
    EXPECT_TRUE(std::ranges::equal(keyColorTable(*back, 3), keyColorTable(*data, 3)));
    EXPECT_TRUE(std::ranges::all_of(macroSlot(*back, 6), [](auto b) { return b == 0; }));
}

TEST(BlockTransfers, KeyboardSendingNoDataStopsEachBlockAtItsFirstMissingReport) {
    VirtualRig rig;
    rig.keyboard->setSilentBlocks(true);
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    data->MacroSlots.fill(0x5A);
    data->KeyColorTables.fill(0x5A);
    readAll(*handle, *data);
    // One attempt per block (key table, mask, 32 slots, 5 tables), not one per report.
    EXPECT_EQ(test::entriesOf(rig.keyboard->transcript(), Kind::DataIn).size(), 0u);
    EXPECT_EQ(rig.keyboard->transfers(), 1u + 2 + 7 * 2 + 3 * 2 + 39 * 3);
    EXPECT_TRUE(std::ranges::all_of(data->MacroSlots, [](auto b) { return b == 0x5A; }));
    EXPECT_TRUE(std::ranges::all_of(data->KeyColorTables, [](auto b) { return b == 0x5A; }));
}

TEST(Commands, ClosedHandleFailsSilentlyAndLeavesFields) {
    VirtualRig rig;
    CommandHandle handle(rig.sleeper);
    auto data = std::make_unique<MouseData>();
    data->ReportRate = 2;
    data->DeviceKeyTable.fill(0x5A);
    EXPECT_FALSE(GetReportRate(handle, *data));
    EXPECT_FALSE(ReadKeyTable(handle, *data));
    EXPECT_FALSE(GetFirmwareVersion(handle).has_value());
    EXPECT_EQ(data->ReportRate, 2);
    EXPECT_EQ(data->DeviceKeyTable[300], 0x5A);
    EXPECT_GT(handle.failures(), 0u);
}

TEST(Commands, GarbageRepliesNeverPutOutOfRangeValuesIntoTheImage) {
    VirtualRig rig;
    rig.keyboard->setGarbageReplies(true);
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    data->ledEffect = {1, 5, 50, 1, 1};
    for (int i = 0; i < 200; ++i) {
        GetLightingEffect(*handle, *data);
        GetReportRate(*handle, *data);
        const LedEffect& e = data->ledEffect;
        ASSERT_LE(e.LEDEffectMode, 55);
        ASSERT_LE(e.LEDEffectSpeed, 9);
        ASSERT_LE(e.LEDEffectBrightness, 50);
        ASSERT_GE(e.LEDEffectColor, 1);
        ASSERT_LE(e.LEDEffectColor, 8);
        ASSERT_GE(e.LEDEffectDirection, 1);
        ASSERT_LE(e.LEDEffectDirection, 4);
        ASSERT_LE(data->ReportRate, 3);
    }
}

TEST(VirtualKeyboardWire, FrameWithBadChecksumIsIgnored) {
    VirtualRig rig;
    auto handle = rig.commandHandle();
    Frame frame = makeFrame(kSetReportRate, {3, 0, 0, 0, 0, 0});
    frame[8] ^= 0x10;
    handle->sendFeature(frame);
    EXPECT_EQ(rig.keyboard->memory().ReportRate, VirtualKeyboard::factoryMemory().ReportRate);
    handle->sendFeature(makeFrame(kSetReportRate, {3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rig.keyboard->memory().ReportRate, 3);
}

}  // namespace
}  // namespace orvane
