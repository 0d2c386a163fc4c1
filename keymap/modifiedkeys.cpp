#include "keymap/modifiedkeys.h"

#include "keymap/keytables.h"

namespace orvane {

void recomputeModifiedKeyFlags(SettingsImage& image) {
    const MouseData& data = image.working.mouseData;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const std::size_t e = KeyPositionEntryMap[p];
        const KeyAssignment& r = image.working.keyAssignments.records[p];
        bool modified = data.DeviceKeyTable[e + 2] != DefaultDeviceKeyTable[e + 2];
        if (!modified) {
            modified = r.mapType != TYPE_SINGLE || (r.keyCount == 1 && r.mapData[0] != r.keyCode);
        }
        if (!isKeyEnabled(data, e / 4)) modified = true;
        image.modifiedKeyFlags[p] = modified ? 1 : 0;
    }
    image.modifiedKeyFlags[kFnPosition] = 0;
}

}  // namespace orvane
