#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "keymap/modifiedkeys.h"
#include "keymap/keytables.h"

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
