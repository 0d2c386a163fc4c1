// Which keys differ from their factory meaning, for the highlight of the
// keyboard picture. Used after every read of the keyboard and by Cancel.
#pragma once

#include <array>
#include <cstdint>

#include "keyboardstate/settingsimage.h"

namespace orvane {

// Recomputes the flags of key positions 0..107 (the others are left alone).
// A key is modified when its device entry's usage byte differs from the
// factory entry, when its record is not a plain single key of its own, or
// when it is disabled. The Fn key (position 100) is never flagged.
void computeModifiedKeyFlags(const MouseData& data, const KeyAssignmentTable& assignments,
                             std::array<std::uint8_t, 255>& flags);

}  // namespace orvane
