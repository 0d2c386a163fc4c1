#include "settings/macroslots.h"

#include <algorithm>

#include "keyboardstate/keytables.h"

namespace orvane {

std::size_t fillMacroSlots(MouseData& data, const MacroStore& store) {
    std::size_t n = 0;
    for (; n < kMacroSlotCount; ++n) {
        const MacroRecord& record = store.records[n];
        if (record.name[0] == u'\0') break;
        auto slot = macroSlot(data, n);
        // The keyboard holds the loop count big-endian, the file little-endian.
        slot[0] = static_cast<std::uint8_t>(record.loopCount >> 8);
        slot[1] = static_cast<std::uint8_t>(record.loopCount & 0xFF);
        std::copy(record.deviceEvents.begin(), record.deviceEvents.end(), slot.begin() + 2);
    }
    return n;
}

std::optional<std::size_t> movedMacroSlot(const MacroSlotMap& map, std::size_t slot) {
    if (slot >= map.size() || map[slot] == kMacroSlotDeleted) return std::nullopt;
    return map[slot] == 0 ? slot : static_cast<std::size_t>(map[slot] - 1);
}

MacroSlotMap composeMacroSlotMaps(const MacroSlotMap& first, const MacroSlotMap& then) {
    MacroSlotMap out{};
    for (std::size_t s = 0; s < out.size(); ++s) {
        const auto mid = movedMacroSlot(first, s);
        const auto now = mid ? movedMacroSlot(then, *mid) : std::nullopt;
        out[s] = !now ? kMacroSlotDeleted : *now == s ? 0 : static_cast<std::uint8_t>(*now + 1);
    }
    return out;
}

bool movesAnyMacro(const MacroSlotMap& map) {
    return std::any_of(map.begin(), map.end(), [](std::uint8_t v) { return v != 0; });
}

namespace {

// Byte 2 of a macro record's data and of a macro entry names the slot.
constexpr std::size_t kSlotByte = 2;

}  // namespace

std::size_t moveMacroKeyRecords(KeyAssignmentTable& records, const MacroSlotMap& map,
                                std::array<std::uint8_t, 255>* modifiedKeyFlags) {
    if (!movesAnyMacro(map)) return 0;
    std::size_t changed = 0;
    for (std::size_t p = 0; p < records.records.size(); ++p) {
        KeyAssignment& r = records.records[p];
        // A macro choice without a macro (slot byte 0xFF) names no slot.
        if (r.mapType != TYPE_MACRO || r.mapData[kSlotByte] >= kMacroSlotCount) continue;
        if (const auto now = movedMacroSlot(map, r.mapData[kSlotByte])) {
            if (*now == r.mapData[kSlotByte]) continue;
            r.mapData[kSlotByte] = static_cast<std::uint8_t>(*now);
        } else {
            r.mapType = TYPE_SINGLE;
            r.keyCount = 0;
            r.mapData.fill(0);
            if (modifiedKeyFlags != nullptr && p < modifiedKeyFlags->size()) (*modifiedKeyFlags)[p] = 0;
        }
        ++changed;
    }
    return changed;
}

std::size_t moveMacroDeviceEntries(MouseData& data, const MacroSlotMap& map) {
    if (!movesAnyMacro(map)) return 0;
    std::size_t changed = 0;
    auto& table = data.DeviceKeyTable;
    for (std::size_t offset = 0; offset < table.size(); offset += 4) {
        if (table[offset] != KIND_MACRO || table[offset + kSlotByte] >= kMacroSlotCount) continue;
        if (const auto now = movedMacroSlot(map, table[offset + kSlotByte])) {
            if (*now == table[offset + kSlotByte]) continue;
            table[offset + kSlotByte] = static_cast<std::uint8_t>(*now);
        } else {
            for (std::size_t b = 0; b < 4; ++b) table[offset + b] = DefaultDeviceKeyTable[offset + b];
        }
        ++changed;
    }
    return changed;
}

void noteUnsentMacroChanges(SettingsImage& image, const MacroSlotMap& moves) {
    moveMacroKeyRecords(image.saved.keyAssignments, moves, nullptr);
    image.unsentMacroChanges.moved = composeMacroSlotMaps(image.unsentMacroChanges.moved, moves);
    image.unsentMacroChanges.any = true;
}

void keepUnsentMacroChanges(SettingsImage& image) {
    if (!image.unsentMacroChanges.any) return;
    // The saved key table numbers the macros as the keyboard does; the saved
    // records already follow MacroDefine.bin.
    moveMacroDeviceEntries(image.working.mouseData, image.unsentMacroChanges.moved);
    fillMacroSlots(image.working.mouseData, image.macroStore);
}

void macroChangesSent(SettingsImage& image) { image.unsentMacroChanges = UnsentMacroChanges{}; }

}  // namespace orvane
