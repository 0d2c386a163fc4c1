#include "device/frame.h"

namespace orvane {

std::uint8_t frameChecksum(std::span<const std::uint8_t, kFrameSize> frame) {
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i <= 7; ++i) sum = static_cast<std::uint8_t>(sum + frame[i]);
    return static_cast<std::uint8_t>(0xFF - sum);
}

bool frameChecksumValid(std::span<const std::uint8_t, kFrameSize> frame) {
    return frame[8] == frameChecksum(frame);
}

Frame makeFrame(std::uint8_t code, const FrameParameters& parameters) {
    Frame frame{};
    frame[1] = code;
    for (std::size_t i = 0; i < parameters.size(); ++i) frame[2 + i] = parameters[i];
    frame[8] = frameChecksum(frame);
    return frame;
}

std::string_view commandName(std::uint8_t code) {
    switch (code) {
        case kGetFirmwareVersion: return "GetFirmwareVersion";
        case kGetReportRate: return "GetReportRate";
        case kSetReportRate: return "SetReportRate";
        case kGetResponseTime: return "GetResponseTime";
        case kSetResponseTime: return "SetResponseTime";
        case kGetLightingEffect: return "GetLightingEffect";
        case kSetLightingEffect: return "SetLightingEffect";
        case kGetGameMode: return "GetGameMode";
        case kSetGameMode: return "SetGameMode";
        case kGetPaletteColor: return "GetPaletteColor";
        case kSetPaletteColor: return "SetPaletteColor";
        case kReadKeyTable: return "ReadKeyTable";
        case kWriteKeyTable: return "WriteKeyTable";
        case kReadKeyEnableMask: return "ReadKeyEnableMask";
        case kWriteKeyEnableMask: return "WriteKeyEnableMask";
        case kReadMacroSlot: return "ReadMacroSlot";
        case kWriteMacroSlot: return "WriteMacroSlot";
        case kReadKeyColorTable: return "ReadKeyColorTable";
        case kWriteKeyColorTable: return "WriteKeyColorTable";
        case kFactoryReset: return "FactoryReset";
        default: return "Unknown";
    }
}

}  // namespace orvane
