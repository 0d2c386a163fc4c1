// Deleting a macro moves every later macro down one slot, and keys name
// their macro by slot. The macro manager keeps here where each macro that
// was there at opening has gone, so OK can make the keys follow: a key of a
// deleted macro returns to its default instead of playing whatever moved into
// the slot, and a key of a later macro keeps playing that macro.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "keyboardstate/settingsimage.h"

namespace orvane {

class MacroSlotMoves {
public:
    // The macro in `slot` was deleted and the later ones moved down.
    void deleted(std::size_t slot);
    // The slot the macro of keyboard slot `opened` (at opening) is in now;
    // nothing when it was deleted. Slots past the keyboard's 32 are nothing.
    std::optional<std::size_t> slotOf(std::size_t opened) const;
    // Whether any keyboard slot moved or went away.
    bool any() const;
    // The same moves in the settings image's encoding.
    const MacroSlotMap& map() const { return map_; }

private:
    MacroSlotMap map_{};
};

// Makes the working key assignment records and device key table follow the
// moves: records of type macro and device entries of kind macro get their
// macro's new slot; those of a deleted macro are returned to their default
// (record cleared, factory entry, not marked modified). The enable mask is
// left as it is. Returns the number of records and entries changed.
std::size_t applyMacroSlotMoves(SettingsImage& image, const MacroSlotMoves& moves);

}  // namespace orvane
