#include <gtest/gtest.h>

#include "device/commandhandle.h"

namespace orvane {
namespace {

// A device whose transfers all fail; whether it has left the system is set by the test.
class FailingDevice : public HidDevice {
public:
    explicit FailingDevice(bool& gone) : gone_(gone) {}
    int sendFeatureReport(std::span<const std::uint8_t>) override { return -1; }
    int getFeatureReport(std::span<std::uint8_t>) override { return -1; }
    int write(std::span<const std::uint8_t>) override { return -1; }
    int read(std::span<std::uint8_t>, int) override { return -1; }
    bool gone() const override { return gone_; }

private:
    bool& gone_;
};

class NullSleeper : public Sleeper {
public:
    void sleep(std::chrono::milliseconds) override {}
};

TEST(CommandHandle, FailureOnAPresentDeviceKeepsItOpenAndAGoneDeviceClosesOnce) {
    NullSleeper sleeper;
    CommandHandle handle(sleeper);
    bool gone = false;
    int losses = 0;
    handle.setLossHandler([&] { ++losses; });
    handle.attach(std::make_unique<FailingDevice>(gone));

    EXPECT_FALSE(handle.sendFeature(makeFrame(kGetGameMode)));
    EXPECT_TRUE(handle.isOpen());  // a stalled transfer is not an unplug
    EXPECT_EQ(losses, 0);

    gone = true;
    DataReport report{};
    EXPECT_EQ(handle.readReport(report), CommandHandle::ReadResult::Failed);
    EXPECT_FALSE(handle.isOpen());
    EXPECT_TRUE(handle.lost());
    EXPECT_FALSE(handle.writeReport(report));  // closed now: fails without asking anyone
    EXPECT_EQ(losses, 1);
    EXPECT_EQ(handle.failures(), 3u);
}

}  // namespace
}  // namespace orvane
