#include "macro/macroslotmoves.h"

#include <numeric>

#include "keymap/keytables.h"

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

namespace {

// Byte 2 of a macro record's data and of a macro entry names the slot.
constexpr std::size_t kSlotByte = 2;

}  // namespace

std::size_t applyMacroSlotMoves(SettingsImage& image, const MacroSlotMoves& moves) {
    if (!moves.any()) return 0;
    std::size_t changed = 0;
    KeyAssignmentTable& records = image.working.keyAssignments;
    for (std::size_t p = 0; p < records.records.size(); ++p) {
        KeyAssignment& r = records.records[p];
        // A macro choice without a macro (slot byte 0xFF) names no slot.
        if (r.mapType != TYPE_MACRO || r.mapData[kSlotByte] >= kMacroSlotCount) continue;
        if (const auto now = moves.slotOf(r.mapData[kSlotByte])) {
            if (*now == r.mapData[kSlotByte]) continue;
            r.mapData[kSlotByte] = static_cast<std::uint8_t>(*now);
        } else {
            r.mapType = TYPE_SINGLE;
            r.keyCount = 0;
            r.mapData.fill(0);
            image.modifiedKeyFlags[p] = 0;
        }
        ++changed;
    }
    auto& table = image.working.mouseData.DeviceKeyTable;
    for (std::size_t offset = 0; offset < table.size(); offset += 4) {
        if (table[offset] != KIND_MACRO || table[offset + kSlotByte] >= kMacroSlotCount) continue;
        if (const auto now = moves.slotOf(table[offset + kSlotByte])) {
            if (*now == table[offset + kSlotByte]) continue;
            table[offset + kSlotByte] = static_cast<std::uint8_t>(*now);
        } else {
            for (std::size_t b = 0; b < 4; ++b) table[offset + b] = DefaultDeviceKeyTable[offset + b];
        }
        ++changed;
    }
    return changed;
}

}  // namespace orvane
