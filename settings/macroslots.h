// The keyboard form of the macros: MacroSlots filled from MacroStore, and the
// keys that follow their macros when deletions move macros to other slots.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "keyboardstate/settingsimage.h"

namespace orvane {

// Slot n = [loopCount >> 8, loopCount & 0xFF, deviceEvents] for n = 0, 1, …
// while record n has a name, at most 32 slots; later slots keep their content.
// Returns the number of slots filled.
std::size_t fillMacroSlots(MouseData& data, const MacroStore& store);

// Where the macro of each keyboard slot went (MacroSlotMap encoding in the
// settings image): nothing when it was deleted.
std::optional<std::size_t> movedMacroSlot(const MacroSlotMap& map, std::size_t slot);
// First `first`, then `then`.
MacroSlotMap composeMacroSlotMaps(const MacroSlotMap& first, const MacroSlotMap& then);
bool movesAnyMacro(const MacroSlotMap& map);

// Records of type macro get their macro's new slot; those of a deleted macro
// return to their default (record cleared and, with `modifiedKeyFlags`, not
// marked modified). Returns the number of records changed.
std::size_t moveMacroKeyRecords(KeyAssignmentTable& records, const MacroSlotMap& map,
                                std::array<std::uint8_t, 255>* modifiedKeyFlags);
// Device entries of kind macro likewise; a deleted macro's entry becomes the
// factory entry. The enable mask is left as it is.
std::size_t moveMacroDeviceEntries(MouseData& data, const MacroSlotMap& map);

// The macro manager's OK reached MacroDefine.bin and the working copy; the
// keyboard gets it with the next Save. Records the moves (the saved copy's
// records follow at once, since keymap.bin holds them beside MacroDefine.bin).
void noteUnsentMacroChanges(SettingsImage& image, const MacroSlotMap& moves);
// After the working copy went back to the saved one (the main window's
// Cancel): the macro changes not yet sent stay, so the keys, the slots and
// MacroDefine.bin keep agreeing and the next Save sends them.
void keepUnsentMacroChanges(SettingsImage& image);
// The keyboard holds the working copy now (a Save, a factory reset).
void macroChangesSent(SettingsImage& image);

}  // namespace orvane
