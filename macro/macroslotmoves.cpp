#include "macro/macroslotmoves.h"

#include <numeric>

#include "settings/macroslots.h"

namespace orvane {

MacroSlotMoves::MacroSlotMoves() { std::iota(now_.begin(), now_.end(), 0); }

void MacroSlotMoves::deleted(std::size_t slot) {
    for (int& now : now_) {
        if (now == kGone) continue;
        const auto at = static_cast<std::size_t>(now);
        if (at == slot) {
            now = kGone;
        } else if (at > slot) {
            --now;
        }
    }
}

std::optional<std::size_t> MacroSlotMoves::slotOf(std::size_t opened) const {
    if (opened >= now_.size() || now_[opened] == kGone) return std::nullopt;
    return static_cast<std::size_t>(now_[opened]);
}

bool MacroSlotMoves::any() const {
    for (std::size_t s = 0; s < now_.size(); ++s) {
        if (now_[s] != static_cast<int>(s)) return true;
    }
    return false;
}

MacroSlotMap MacroSlotMoves::map() const {
    MacroSlotMap out{};
    for (std::size_t s = 0; s < now_.size(); ++s) {
        if (now_[s] == kGone) {
            out[s] = kMacroSlotDeleted;
        } else if (now_[s] != static_cast<int>(s)) {
            out[s] = static_cast<std::uint8_t>(now_[s] + 1);
        }
    }
    return out;
}

std::size_t applyMacroSlotMoves(SettingsImage& image, const MacroSlotMoves& moves) {
    const MacroSlotMap map = moves.map();
    return moveMacroKeyRecords(image.working.keyAssignments, map, &image.modifiedKeyFlags) +
           moveMacroDeviceEntries(image.working.mouseData, map);
}

}  // namespace orvane
