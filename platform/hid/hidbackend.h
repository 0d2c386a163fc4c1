// Enumeration and opening of the keyboard's HID interfaces.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/hiddevice.h"
#include "platform/hid/hotplugmonitor.h"

namespace orvane {

inline constexpr std::uint16_t kKeyboardVendorId = 0x04D9;
inline constexpr std::uint16_t kKeyboardProductId = 0xA12D;

struct HidInterface {
    // Descriptive path the selectors are tested against, e.g.
    // "hid#vid_04d9&pid_a12d&mi_01&col04#/dev/hidraw3".
    std::string path;
    // What gets opened (the device node).
    std::string node;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // The keyboard's interfaces present now, in enumeration order.
    virtual std::vector<HidInterface> enumerate() = 0;
    // Opens a node for reading and writing; nullptr when it cannot be opened.
    virtual std::unique_ptr<HidDevice> open(const std::string& node) = 0;
    // A hot-plug source for this keyboard; nullptr when none can be created
    // (the caller then relies on failed transfers and a slow rescan).
    virtual std::unique_ptr<HotplugMonitor> watchHotplug() = 0;
};

}  // namespace orvane
