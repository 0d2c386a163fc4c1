#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/desktop/hotplugwatcher.h"
#include "virtualkeyboard/virtualhidbackend.h"
#include "support/eventually.h"

namespace orvane {
namespace {

// The application object comes from the suite's main (tests/support/qtmain.cpp).
QCoreApplication& app() {
    return *QCoreApplication::instance();
}

using test::eventually;

TEST(HotplugWatcher, MonitorEventsBecomeCallbacks) {
    app();
    auto keyboard = std::make_shared<VirtualKeyboard>();
    VirtualHidBackend backend(keyboard);
    std::vector<char> seen;
    HotplugWatcher watcher(backend.watchHotplug(),
                           {[&] { seen.push_back('A'); }, [&] { seen.push_back('R'); }, [] { return false; }},
                           std::chrono::milliseconds(60000));
    EXPECT_TRUE(watcher.monitoring());
    keyboard->unplug();
    ASSERT_TRUE(eventually([&] { return seen.size() == 1; }));
    keyboard->plug();
    ASSERT_TRUE(eventually([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen, (std::vector<char>{'R', 'A'}));
}

TEST(HotplugWatcher, WithoutMonitorTheRescanFindsTheKeyboard) {
    app();
    int asked = 0;
    int arrivals = 0;
    HotplugWatcher watcher(nullptr, {[&] { ++arrivals; }, {}, [&] { return ++asked >= 3; }},
                           std::chrono::milliseconds(5));
    EXPECT_FALSE(watcher.monitoring());
    ASSERT_TRUE(eventually([&] { return arrivals >= 1; }));
    EXPECT_GE(asked, 3);
}

}  // namespace
}  // namespace orvane
