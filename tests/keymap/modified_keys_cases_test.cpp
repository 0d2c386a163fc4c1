#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "keymap/keytables.h"
#include "keymap/modifiedkeys.h"
#include "settings/settingsfiles.h"

namespace orvane {
namespace {

// A working copy as the keyboard leaves the factory: default entries, every
// key enabled, records unassigned but stamped.
std::unique_ptr<SettingsImage> factoryImage() {
    auto image = std::make_unique<SettingsImage>();
    auto& md = image->working.mouseData;
    std::copy(DefaultDeviceKeyTable.begin(), DefaultDeviceKeyTable.end(), md.DeviceKeyTable.begin());
    md.KeyEnableMask.fill(0xFF);
    stampKeyCodes(image->working.keyAssignments);
    return image;
}

TEST(ModifiedKeyCases, FactoryStateFlagsNothingAndFnIsNeverFlagged) {
    auto image = factoryImage();
    image->modifiedKeyFlags.fill(1);
    computeModifiedKeyFlags(image->working.mouseData, image->working.keyAssignments, image->modifiedKeyFlags);
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) EXPECT_EQ(image->modifiedKeyFlags[p], 0) << p;
    EXPECT_EQ(image->modifiedKeyFlags[200], 1);  // outside the positions: untouched

    // Fn disabled and given another usage: still not flagged.
    setKeyEnabled(image->working.mouseData, deviceSlotOfPosition(100), false);
    image->working.mouseData.DeviceKeyTable[KeyPositionEntryMap[100] + 2] = 0x04;
    computeModifiedKeyFlags(image->working.mouseData, image->working.keyAssignments, image->modifiedKeyFlags);
    EXPECT_EQ(image->modifiedKeyFlags[100], 0);
}

TEST(ModifiedKeyCases, EachReasonFlagsTheKey) {
    auto image = factoryImage();
    auto& md = image->working.mouseData;
    auto& records = image->working.keyAssignments.records;
    md.DeviceKeyTable[KeyPositionEntryMap[42] + 2] = 0x04;        // Q now types A
    records[63].mapType = TYPE_BASIC;                              // A has a function
    records[64].keyCount = 1;                                      // S mapped to D
    records[64].mapData[0] = 0x44;
    records[65].keyCount = 1;                                      // D mapped to itself
    records[65].mapData[0] = 0x44;
    setKeyEnabled(md, deviceSlotOfPosition(0), false);             // Esc disabled
    md.DeviceKeyTable[KeyPositionEntryMap[1] + 1] = 0xE0;          // only byte 2 counts
    computeModifiedKeyFlags(image->working.mouseData, image->working.keyAssignments, image->modifiedKeyFlags);
    EXPECT_EQ(image->modifiedKeyFlags[42], 1);
    EXPECT_EQ(image->modifiedKeyFlags[63], 1);
    EXPECT_EQ(image->modifiedKeyFlags[64], 1);
    EXPECT_EQ(image->modifiedKeyFlags[65], 0);
    EXPECT_EQ(image->modifiedKeyFlags[0], 1);
    EXPECT_EQ(image->modifiedKeyFlags[1], 0);
    // Backslash's factory usage is 0x31 although its label table usage is 0x32.
    md.DeviceKeyTable[KeyPositionEntryMap[54] + 2] = 0x32;
    computeModifiedKeyFlags(image->working.mouseData, image->working.keyAssignments, image->modifiedKeyFlags);
    EXPECT_EQ(image->modifiedKeyFlags[54], 1);
}

}  // namespace
}  // namespace orvane
