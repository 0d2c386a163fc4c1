#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "keyboardstate/modifiedkeys.h"
#include "keyboardstate/keytables.h"
#include <algorithm>
#include "settings/settingsfiles.h"

namespace orvane {
namespace {

struct Fresh {
    Fresh() : data(std::make_unique<MouseData>()), table(std::make_unique<KeyAssignmentTable>()) {
        std::copy(DefaultDeviceKeyTable.begin(), DefaultDeviceKeyTable.end(), data->DeviceKeyTable.begin());
        data->KeyEnableMask.fill(0xFF);
        for (std::size_t k = 0; k < kKeyPositionCount; ++k) table->records[k].keyCode = VirtualKeyDefaults[k];
    }
    std::unique_ptr<MouseData> data;
    std::unique_ptr<KeyAssignmentTable> table;
};

std::uint8_t& usage(MouseData& d, std::size_t position) {
    return deviceKeyEntry(d, KeyPositionEntryMap[position])[2];
}

TEST(ModifiedKeys, EachReasonFlagsOnlyItsKey) {
    struct Row {
        const char* what;
        std::size_t position;
        std::function<void(MouseData&, KeyAssignmentTable&)> change;
        std::uint8_t flag;
    };
    const Row rows[] = {
        {"nothing changed", 10, [](MouseData&, KeyAssignmentTable&) {}, 0},
        {"kind alone differs", 10, [](MouseData& d, KeyAssignmentTable&) { deviceKeyEntry(d, KeyPositionEntryMap[10])[0] = 4; }, 0},
        {"usage byte differs", 10, [](MouseData& d, KeyAssignmentTable&) { usage(d, 10) ^= 1; }, 1},
        {"assignment type", 11, [](MouseData&, KeyAssignmentTable& t) { t.records[11].mapType = TYPE_COMBINE; }, 1},
        {"one key, not its own", 12, [](MouseData&, KeyAssignmentTable& t) { t.records[12].keyCount = 1; t.records[12].mapData[0] = 0x20; }, 1},
        {"one key, its own", 13, [](MouseData&, KeyAssignmentTable& t) { t.records[13].keyCount = 1; t.records[13].mapData[0] = VirtualKeyDefaults[13]; }, 0},
        {"two keys, first differs", 14, [](MouseData&, KeyAssignmentTable& t) { t.records[14].keyCount = 2; t.records[14].mapData[0] = 0x20; }, 0},
        {"disabled", 15, [](MouseData& d, KeyAssignmentTable&) { setKeyEnabled(d, deviceSlotOfPosition(15), false); }, 1},
        {"Fn changed", kFnPosition, [](MouseData& d, KeyAssignmentTable& t) { usage(d, kFnPosition) ^= 1; t.records[kFnPosition].mapType = 3; }, 0},
        {"Fn disabled", kFnPosition, [](MouseData& d, KeyAssignmentTable&) { setKeyEnabled(d, deviceSlotOfPosition(kFnPosition), false); }, 0},
    };
    for (const Row& row : rows) {
        Fresh f;
        row.change(*f.data, *f.table);
        std::array<std::uint8_t, 255> flags{};
        flags.fill(7);
        computeModifiedKeyFlags(*f.data, *f.table, flags);
        EXPECT_EQ(flags[row.position], row.flag) << row.what;
        for (std::size_t k = 0; k < kKeyPositionCount; ++k) {
            if (k != row.position) {
                ASSERT_EQ(flags[k], 0) << row.what << " spilled to " << k;
            }
        }
        EXPECT_EQ(flags[108], 7) << "positions past 107 are left alone";
    }
}

}  // namespace
}  // namespace orvane

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
