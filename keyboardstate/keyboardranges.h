// The values the keyboard accepts in the fields write-all sends. Files are
// read unchecked (a keymap.bin or profile may come from anywhere), so these
// rules stand between the settings image and the wire: orvanectl refuses a
// file that breaks them, and write-all brings every field into range before
// it sends anything.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "keyboardstate/settingsimage.h"

namespace orvane {

struct RangeFinding {
    std::string field;     // "LEDEffectSpeed", "DeviceKeyTable slot 12 kind", ...
    std::size_t offset;    // of the byte in MouseData, and so in keymap.bin
    unsigned value;        // what the field held
    std::string accepted;  // "0..9", "1..6, 8, 10..13, 51..55", ...
    // What write-all sends instead (set by keepInKeyboardRanges only).
    std::optional<unsigned> replacement;

    // "LEDEffectSpeed is 141 (byte 7451), the keyboard accepts 0..9"
    std::string describe() const;
};

// Every field outside its range, in the order the fields lie in the file.
std::vector<RangeFinding> outOfRangeFields(const MouseData& data);

// Brings every field of `data` into range and reports each change. A scale
// (speed, brightness, response time, report rate, colour choice) is clamped
// to its nearest end; a code (effect, direction, game mode, a key entry) is
// ignored: the value `keyboard` holds is kept when it is valid itself,
// otherwise the factory value.
std::vector<RangeFinding> keepInKeyboardRanges(MouseData& data, const MouseData& keyboard);

}  // namespace orvane
