#include "keyboardstate/modifiedkeys.h"

#include "keyboardstate/keytables.h"

namespace orvane {

void computeModifiedKeyFlags(const MouseData& data, const KeyAssignmentTable& assignments,
                             std::array<std::uint8_t, 255>& flags) {
    for (std::size_t k = 0; k < kKeyPositionCount; ++k) {
        const std::size_t e = KeyPositionEntryMap[k];
        const KeyAssignment& record = assignments.records[k];
        bool modified;
        if (deviceKeyEntry(data, e)[2] != DefaultDeviceKeyTable[(e & 0x1FC) + 2]) {
            modified = true;
        } else {
            modified = record.mapType != TYPE_SINGLE ||
                       (record.keyCount == 1 && record.mapData[0] != record.keyCode);
        }
        if (!isKeyEnabled(data, e / 4)) modified = true;
        flags[k] = modified ? 1 : 0;
    }
    flags[kFnPosition] = 0;
}

}  // namespace orvane
