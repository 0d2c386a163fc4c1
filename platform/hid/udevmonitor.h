// Hot-plug of the keyboard's hidraw nodes through a libudev netlink monitor.
#pragma once

#include <memory>

#include "platform/hid/hotplugmonitor.h"

struct udev;
struct udev_monitor;

namespace orvane {

class UdevMonitor final : public HotplugMonitor {
public:
    // nullptr when the monitor cannot be set up (no udev, no netlink).
    static std::unique_ptr<UdevMonitor> create();
    ~UdevMonitor() override;
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    int fd() const override;
    std::vector<HotplugEvent> takeEvents() override;

private:
    UdevMonitor(struct udev* context, struct udev_monitor* monitor);
    struct udev* context_;
    struct udev_monitor* monitor_;
};

}  // namespace orvane
