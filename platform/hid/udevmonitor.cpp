#include "platform/hid/udevmonitor.h"

#include <libudev.h>

#include <cstring>

#include "platform/hid/hidpaths.h"

namespace orvane {

std::unique_ptr<UdevMonitor> UdevMonitor::create() {
    struct udev* context = udev_new();
    if (context == nullptr) return nullptr;
    struct udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor != nullptr) udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::unique_ptr<UdevMonitor>(new UdevMonitor(context, monitor));
}

UdevMonitor::UdevMonitor(struct udev* context, struct udev_monitor* monitor)
    : context_(context), monitor_(monitor) {}

UdevMonitor::~UdevMonitor() {
    udev_monitor_unref(monitor_);
    udev_unref(context_);
}

int UdevMonitor::fd() const { return udev_monitor_get_fd(monitor_); }

std::vector<HotplugEvent> UdevMonitor::takeEvents() {
    std::vector<HotplugEvent> events;
    // The monitor socket is non-blocking: receive until it is drained.
    while (struct udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* devpath = udev_device_get_devpath(device);
        if (action != nullptr && devpath != nullptr && isKeyboardDevpath(devpath)) {
            if (std::strcmp(action, "add") == 0) events.push_back(HotplugEvent::Arrival);
            if (std::strcmp(action, "remove") == 0) events.push_back(HotplugEvent::Removal);
        }
        udev_device_unref(device);
    }
    return foldHotplugEvents(events);
}

}  // namespace orvane
