#include <gtest/gtest.h>

#include <numeric>

#include "device/frame.h"

namespace orvane {
namespace {

std::uint8_t sumOfBytes1To8(const Frame& f) {
    return static_cast<std::uint8_t>(std::accumulate(f.begin() + 1, f.end(), 0u));
}

TEST(Frame, ChecksumsOfKnownFrames) {
    struct Row {
        std::uint8_t code;
        FrameParameters params;
        std::uint8_t checksum;
    };
    const Row rows[] = {
        {kGetFirmwareVersion, {}, 0x7F},
        {kFactoryReset, {0xFF, 0, 0, 0, 0, 0}, 0xED},
        // bytes 1..7 summing to a multiple of 256 give 0xFF
        {0x80, {0x80, 0, 0, 0, 0, 0}, 0xFF},
        {0x00, {}, 0xFF},
        {0xFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xFF - static_cast<std::uint8_t>(7 * 0xFF)},
    };
    for (const Row& row : rows) {
        const Frame f = makeFrame(row.code, row.params);
        EXPECT_EQ(f[0], 0) << int(row.code);
        EXPECT_EQ(f[8], row.checksum) << int(row.code);
        EXPECT_EQ(sumOfBytes1To8(f), 0xFF) << int(row.code);
        EXPECT_TRUE(frameChecksumValid(f));
    }
}

TEST(Frame, EveryByteValueInEveryPositionSumsTo0xFF) {
    for (std::size_t pos = 0; pos < 6; ++pos) {
        for (int v = 0; v < 256; ++v) {
            FrameParameters p{};
            p[pos] = static_cast<std::uint8_t>(v);
            const Frame f = makeFrame(kSetPaletteColor, p);
            ASSERT_EQ(sumOfBytes1To8(f), 0xFF) << pos << " " << v;
        }
    }
}

TEST(Frame, CorruptedFrameFailsTheCheck) {
    Frame f = makeFrame(kSetGameMode, {1, 0, 0, 0, 0, 0});
    f[2] ^= 0x01;
    EXPECT_FALSE(frameChecksumValid(f));
}

TEST(Frame, QueryAndSetCodesDifferOnlyInBit7) {
    const std::pair<std::uint8_t, std::uint8_t> pairs[] = {
        {kGetReportRate, kSetReportRate},         {kGetResponseTime, kSetResponseTime},
        {kGetLightingEffect, kSetLightingEffect}, {kGetGameMode, kSetGameMode},
        {kGetPaletteColor, kSetPaletteColor},     {kReadKeyTable, kWriteKeyTable},
        {kReadKeyEnableMask, kWriteKeyEnableMask}, {kReadMacroSlot, kWriteMacroSlot},
        {kReadKeyColorTable, kWriteKeyColorTable},
    };
    for (auto [query, set] : pairs) {
        EXPECT_EQ(query & 0x7F, set) << commandName(query);
        EXPECT_NE(commandName(query), "Unknown");
        EXPECT_NE(commandName(set), "Unknown");
    }
    EXPECT_EQ(commandName(0x55), "Unknown");
}

}  // namespace
}  // namespace orvane
