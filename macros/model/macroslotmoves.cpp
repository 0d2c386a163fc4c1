#include "macros/model/macroslotmoves.h"

#include "settings/macroslots.h"

namespace orvane {

void MacroSlotMoves::deleted(std::size_t slot) {
    MacroSlotMap deletion{};
    if (slot < deletion.size()) deletion[slot] = kMacroSlotDeleted;
    for (std::size_t later = slot + 1; later < deletion.size(); ++later) {
        deletion[later] = static_cast<std::uint8_t>(later);  // now in later - 1
    }
    map_ = composeMacroSlotMaps(map_, deletion);
}

std::optional<std::size_t> MacroSlotMoves::slotOf(std::size_t opened) const {
    return movedMacroSlot(map_, opened);
}

bool MacroSlotMoves::any() const { return movesAnyMacro(map_); }

std::size_t applyMacroSlotMoves(SettingsImage& image, const MacroSlotMoves& moves) {
    const MacroSlotMap map = moves.map();
    return moveMacroKeyRecords(image.working.keyAssignments, map, &image.modifiedKeyFlags) +
           moveMacroDeviceEntries(image.working.mouseData, map);
}

}  // namespace orvane
