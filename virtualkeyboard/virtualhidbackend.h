// The virtual keyboard behind the same HID seam as hidapi: its interfaces
// enumerate with descriptive paths the selectors match, open into devices
// that talk to the emulator, and its plug and unplug feed a hot-plug monitor.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/hidbackend.h"
#include "virtualkeyboard/virtualkeyboard.h"

namespace orvane {

class VirtualHidBackend final : public HidBackend {
public:
    // Node names: the command interface and the node that carries the
    // event collection (col04 of interface 1).
    static constexpr const char* kCommandNode = "virtual:hidraw3";
    static constexpr const char* kEventNode = "virtual:hidraw1";

    explicit VirtualHidBackend(std::shared_ptr<VirtualKeyboard> keyboard);

    std::vector<HidInterface> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& node) override;
    std::unique_ptr<HotplugMonitor> watchHotplug() override;

    VirtualKeyboard& keyboard() { return *keyboard_; }
    std::shared_ptr<VirtualKeyboard> sharedKeyboard() { return keyboard_; }
    // Every node open() was asked for, in order.
    std::vector<std::string> openedNodes() const;

private:
    std::shared_ptr<VirtualKeyboard> keyboard_;
    mutable std::mutex mutex_;
    std::vector<std::string> opened_;
};

}  // namespace orvane
