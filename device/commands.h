// The keyboard's command set: one function per command, taking the command
// handle (and an index where the command has one). Each builds its frame,
// performs the exchange with the keyboard's pacing waits and reads or fills
// its settings fields. Queries return whether a reply was fetched; a query
// without a reply leaves its fields as they were. Set commands return whether
// the frame went out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "device/commandhandle.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

struct FirmwareVersion {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
};

enum class LightingPhase : std::uint8_t { Begin = 1, Commit = 2 };

// The keyboard holds the speed as 10 minus what the user sees.
inline constexpr std::uint8_t speedToDevice(std::uint8_t speed) {
    return static_cast<std::uint8_t>(10 - speed);
}
inline constexpr std::uint8_t speedFromDevice(std::uint8_t byte) {
    return static_cast<std::uint8_t>(10 - byte);
}

// The highest effect number: the last per-key colour table.
inline constexpr std::uint8_t kLastEffectMode = kFirstKeyColorEffect + kKeyColorTableCount - 1;

std::optional<FirmwareVersion> GetFirmwareVersion(CommandHandle& handle);
bool GetReportRate(CommandHandle& handle, MouseData& data);
bool SetReportRate(CommandHandle& handle, const MouseData& data);
bool GetResponseTime(CommandHandle& handle, MouseData& data);
bool SetResponseTime(CommandHandle& handle, const MouseData& data);
bool GetLightingEffect(CommandHandle& handle, MouseData& data);
// Phase Begin carries brightness 0 whatever the field holds; Commit the real value.
bool SetLightingEffect(CommandHandle& handle, const MouseData& data, LightingPhase phase);
bool GetGameMode(CommandHandle& handle, MouseData& data);
// Sends the value, then mirrors WinLock into KeyEnableMask (image only). The
// factory reset paces its two game-mode frames with 300 ms instead of 20.
bool SetGameMode(CommandHandle& handle, MouseData& data, std::uint8_t value, int waitMs = 20);
bool GetPaletteColor(CommandHandle& handle, MouseData& data, std::size_t index);
bool SetPaletteColor(CommandHandle& handle, const MouseData& data, std::size_t index);
// The frame and its 300 ms only; the follow-up belongs to the factory reset sequence.
bool FactoryReset(CommandHandle& handle);

}  // namespace orvane
