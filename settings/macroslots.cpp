#include "settings/macroslots.h"

#include <algorithm>

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

}  // namespace orvane
