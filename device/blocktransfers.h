// Block transfers: fields too large for a frame travel as 64-byte chunks in
// 65-byte data reports on the command interface, announced by a block command.
#pragma once

#include <cstddef>

#include "device/commandhandle.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

inline constexpr std::uint8_t kKeyTableReports = 8;
inline constexpr std::uint8_t kMacroSlotReports = 3;
inline constexpr std::uint8_t kKeyColorTableReports = 8;

// Reads return true when every report arrived whole; a missing report leaves
// its part of the block unchanged. Writes return whether every report went out.
bool ReadKeyTable(CommandHandle& handle, MouseData& data);
bool WriteKeyTable(CommandHandle& handle, const MouseData& data);
// Also sets WinLock: 1 when the left Windows key's bit is clear.
bool ReadKeyEnableMask(CommandHandle& handle, MouseData& data);
bool WriteKeyEnableMask(CommandHandle& handle, const MouseData& data);
bool ReadMacroSlot(CommandHandle& handle, MouseData& data, std::size_t slot);
bool WriteMacroSlot(CommandHandle& handle, const MouseData& data, std::size_t slot);
bool ReadKeyColorTable(CommandHandle& handle, MouseData& data, std::size_t table);
bool WriteKeyColorTable(CommandHandle& handle, const MouseData& data, std::size_t table);

}  // namespace orvane
