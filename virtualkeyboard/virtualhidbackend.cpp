#include "virtualkeyboard/virtualhidbackend.h"

#include "platform/hid/hidpaths.h"
#include "virtualkeyboard/virtualhotplugmonitor.h"

namespace orvane {
namespace {

enum class Role { Command, Event, Other };

class VirtualHidDevice final : public HidDevice {
public:
    VirtualHidDevice(std::shared_ptr<VirtualKeyboard> keyboard, Role role)
        : keyboard_(std::move(keyboard)), role_(role), generation_(keyboard_->generation()) {}

    int sendFeatureReport(std::span<const std::uint8_t> report) override {
        return role_ == Role::Command ? keyboard_->commandFeatureOut(generation_, report) : failure();
    }
    int getFeatureReport(std::span<std::uint8_t> report) override {
        return role_ == Role::Command ? keyboard_->commandFeatureIn(generation_, report) : failure();
    }
    int write(std::span<const std::uint8_t> report) override {
        return role_ == Role::Command ? keyboard_->commandDataOut(generation_, report) : failure();
    }
    int read(std::span<std::uint8_t> report, int timeoutMs) override {
        if (role_ == Role::Command) return keyboard_->commandDataIn(generation_, report);
        if (role_ == Role::Event) return keyboard_->eventIn(generation_, report, timeoutMs);
        return failure();
    }
    bool gone() const override { return !keyboard_->plugged() || keyboard_->generation() != generation_; }

private:
    static int failure() { return -1; }
    std::shared_ptr<VirtualKeyboard> keyboard_;
    Role role_;
    unsigned generation_;
};

}  // namespace

VirtualHidBackend::VirtualHidBackend(std::shared_ptr<VirtualKeyboard> keyboard) : keyboard_(std::move(keyboard)) {}

std::vector<HidInterface> VirtualHidBackend::enumerate() {
    if (!keyboard_->plugged()) return {};
    // The same shape as the real keyboard: a boot keyboard, an interface of
    // four collections whose fourth carries the event reports, one more
    // interface, and the command interface.
    return describeInterfaces({{"virtual:hidraw0", 0},
                               {kEventNode, 1},
                               {kEventNode, 1},
                               {kEventNode, 1},
                               {kEventNode, 1},
                               {"virtual:hidraw2", 2},
                               {kCommandNode, 3}},
                              kKeyboardVendorId, kKeyboardProductId);
}

std::unique_ptr<HidDevice> VirtualHidBackend::open(const std::string& node) {
    {
        std::lock_guard lock(mutex_);
        opened_.push_back(node);
    }
    if (!keyboard_->plugged() || keyboard_->openRefused()) return nullptr;
    Role role = Role::Other;
    if (node == kCommandNode) role = Role::Command;
    else if (node == kEventNode) role = Role::Event;
    else if (node != "virtual:hidraw0" && node != "virtual:hidraw2") return nullptr;
    return std::make_unique<VirtualHidDevice>(keyboard_, role);
}

std::unique_ptr<HotplugMonitor> VirtualHidBackend::watchHotplug() {
    return std::make_unique<VirtualHotplugMonitor>(keyboard_);
}

std::vector<std::string> VirtualHidBackend::openedNodes() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

}  // namespace orvane
