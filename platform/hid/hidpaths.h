// Pure helpers of the hidapi backend: the descriptive paths the interface
// selectors are matched against, the report-id check of a report descriptor,
// and the udev device-path filter. Kept apart so they are tested without hardware.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hid/hidbackend.h"

namespace orvane {

// One top-level collection as hidapi enumerates it.
struct HidCollectionEntry {
    std::string node;        // "/dev/hidraw3"
    int interfaceNumber = -1;  // USB interface; -1 when unknown
};

// Builds "hid#vid_04d9&pid_a12d&mi_03#/dev/hidraw5" per entry, and for an
// interface with several collections "…&mi_01&col04#/dev/hidraw3", where the
// collection number is the 1-based order of the entry within its interface.
std::vector<HidInterface> describeInterfaces(const std::vector<HidCollectionEntry>& entries,
                                             std::uint16_t vendorId, std::uint16_t productId);

// Whether a report descriptor declares report ids (a Report ID item). hidraw
// then keeps the id in byte 0 of every report; otherwise it leaves it out.
bool descriptorUsesReportIds(std::span<const std::uint8_t> descriptor);

// Whether a path names a hidraw node: "/dev/hidraw" followed by digits only.
bool isHidrawNodeName(std::string_view node);

// Whether a udev device path belongs to this keyboard: the kernel names the
// HID device "BBBB:VVVV:PPPP.NNNN" and every hidraw node sits below it, which
// also holds for removal events, when the sysfs attributes are already gone.
bool isKeyboardDevpath(std::string_view devpath);

}  // namespace orvane
