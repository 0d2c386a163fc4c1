// Arrival and removal of the virtual keyboard, through a pipe so it is
// polled like the udev socket.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/hid/hotplugmonitor.h"
#include "virtualkeyboard/virtualkeyboard.h"

namespace orvane {

class VirtualHotplugMonitor final : public HotplugMonitor {
public:
    explicit VirtualHotplugMonitor(std::shared_ptr<VirtualKeyboard> keyboard);
    ~VirtualHotplugMonitor() override;
    VirtualHotplugMonitor(const VirtualHotplugMonitor&) = delete;
    VirtualHotplugMonitor& operator=(const VirtualHotplugMonitor&) = delete;

    int fd() const override { return pipe_[0]; }
    std::vector<HotplugEvent> takeEvents() override;

private:
    std::shared_ptr<VirtualKeyboard> keyboard_;
    int pipe_[2] = {-1, -1};
    int id_ = 0;
    std::mutex mutex_;
    std::vector<HotplugEvent> events_;
};

}  // namespace orvane
