// Constant tables that tie the 108 key positions of the keyboard picture to
// virtual-key codes, device slots and factory entries, and the predefined
// functions a key can be given.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "keyboardstate/keycodes.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// Byte offset of each position's 4-byte entry inside DeviceKeyTable (and
// inside every KeyColorTables table); the device slot is the offset / 4.
extern const std::array<std::uint16_t, kKeyPositionCount> KeyPositionEntryMap;

inline std::size_t deviceSlotOfPosition(std::size_t position) {
    return KeyPositionEntryMap[position] / 4u;
}

// The keyboard's factory key entries, 128 slots of 4 bytes.
extern const std::array<std::uint8_t, kDeviceKeyTableSize> DefaultDeviceKeyTable;

// Positions that never open for reassignment: the left Windows key and Fn.
inline constexpr std::size_t kLeftWindowsPosition = 96;
inline constexpr std::size_t kFnPosition = 100;

enum class BasicFunctionGroup { TopLevel, Media, Shortcut, Windows };

struct BasicFunction {
    std::u16string_view english;
    std::u16string_view chinese;
    BasicFunctionGroup group;
    std::array<std::uint8_t, 4> entry;  // the device key entry
};

// The 23 predefined functions, in the order the assignment panel's tree lists them.
extern const std::array<BasicFunction, 23> BasicFunctionTable;

// Tree group captions in each language ("Windows" is the same in both).
std::u16string_view basicFunctionGroupName(BasicFunctionGroup group, std::int16_t languageCode);

// The name of a row in the given language (Chinese for 4, English otherwise).
std::u16string_view basicFunctionName(const BasicFunction& row, std::int16_t languageCode);

// Whole-string look-up among the names of the current language only.
const BasicFunction* findBasicFunctionByName(std::u16string_view name, std::int16_t languageCode);

// Reverse look-up of a stored entry; nullptr when no row has it.
const BasicFunction* findBasicFunctionByEntry(std::span<const std::uint8_t, 4> entry);

}  // namespace orvane
