// Command frames: the 9-byte feature reports every setting travels in, and
// the 65-byte data reports of the block transfers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orvane {

inline constexpr std::size_t kFrameSize = 9;         // report id, code, 6 parameters, checksum
inline constexpr std::size_t kDataReportSize = 65;   // report id, 64 data bytes
inline constexpr std::size_t kDataChunkSize = 64;
inline constexpr std::size_t kEventReportSize = 4;   // report id 4, kind, key code, unused
inline constexpr std::uint8_t kEventReportId = 4;
inline constexpr std::uint8_t kAcknowledgementKind = 4;

using Frame = std::array<std::uint8_t, kFrameSize>;
using DataReport = std::array<std::uint8_t, kDataReportSize>;
using FrameParameters = std::array<std::uint8_t, 6>;  // frame bytes 2..7
static_assert(sizeof(Frame) == 9);
static_assert(sizeof(DataReport) == 65);

// Queries have bit 7 set; the matching set command has it clear.
enum CommandCode : std::uint8_t {
    kGetFirmwareVersion = 0x80,
    kGetReportRate = 0x81,
    kSetReportRate = 0x01,
    kGetResponseTime = 0x84,
    kSetResponseTime = 0x04,
    kGetLightingEffect = 0x88,
    kSetLightingEffect = 0x08,
    kGetGameMode = 0x89,
    kSetGameMode = 0x09,
    kGetPaletteColor = 0x94,
    kSetPaletteColor = 0x14,
    kReadKeyTable = 0x8D,
    kWriteKeyTable = 0x0D,
    kReadKeyEnableMask = 0x8E,
    kWriteKeyEnableMask = 0x0E,
    kReadMacroSlot = 0x91,
    kWriteMacroSlot = 0x11,
    kReadKeyColorTable = 0x92,
    kWriteKeyColorTable = 0x12,
    kFactoryReset = 0x13,
};

// 0xFF minus the 8-bit sum of bytes 1..7, so bytes 1..8 add up to 0xFF.
std::uint8_t frameChecksum(std::span<const std::uint8_t, kFrameSize> frame);
bool frameChecksumValid(std::span<const std::uint8_t, kFrameSize> frame);

// A frame with report id 0, the code, the parameters and its checksum.
Frame makeFrame(std::uint8_t code, const FrameParameters& parameters = {});

// The command's name for diagnostics ("SetLightingEffect"); "Unknown" otherwise.
std::string_view commandName(std::uint8_t code);

}  // namespace orvane
