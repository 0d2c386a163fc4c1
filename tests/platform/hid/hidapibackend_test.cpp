#include <gtest/gtest.h>

#include "platform/hid/hidapibackend.h"
#include "platform/hid/udevmonitor.h"

namespace orvane {
namespace {

// Runs on machines without the keyboard: enumeration only lists this
// keyboard's interfaces, and a node that cannot be opened gives no device.
TEST(HidapiBackend, ListsOnlyThisKeyboardAndFailsCleanlyOnBadNodes) {
    HidapiBackend backend;
    for (const HidInterface& i : backend.enumerate()) {
        EXPECT_EQ(i.vendorId, kKeyboardVendorId);
        EXPECT_EQ(i.productId, kKeyboardProductId);
        EXPECT_EQ(i.path.rfind("hid#vid_04d9&pid_a12d", 0), 0u) << i.path;
    }
    EXPECT_EQ(backend.open("/nonexistent/hidraw99"), nullptr);
    EXPECT_EQ(backend.open(""), nullptr);
    HidapiBackend second;  // hidapi's process-wide set-up is shared, not repeated
    EXPECT_EQ(second.open("/dev/null"), nullptr);
}

TEST(UdevMonitor, CreatedOrAbsentButNeverBroken) {
    auto monitor = UdevMonitor::create();
    if (!monitor) GTEST_SKIP() << "no udev netlink socket in this environment";
    EXPECT_GE(monitor->fd(), 0);
    EXPECT_TRUE(monitor->takeEvents().empty());
}

}  // namespace
}  // namespace orvane
