// Each key position's own Windows virtual-key code. It belongs with the
// settings image because every load of the key assignment table stamps it
// into byte 0 of records 0 to 107.
#pragma once

#include <array>
#include <cstdint>

#include "keyboardstate/settingsimage.h"

namespace orvane {

extern const std::array<std::uint8_t, kKeyPositionCount> VirtualKeyDefaults;

}  // namespace orvane
