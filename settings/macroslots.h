// The keyboard form of the macros: MacroSlots filled from MacroStore.
#pragma once

#include "settings/settingsimage.h"

namespace orvane {

// Slot n = [loopCount >> 8, loopCount & 0xFF, deviceEvents] for n = 0, 1, …
// while record n has a name, at most 32 slots; later slots keep their content.
// Returns the number of slots filled.
std::size_t fillMacroSlots(MouseData& data, const MacroStore& store);

}  // namespace orvane
