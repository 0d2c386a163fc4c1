#include "virtualkeyboard/virtualhotplugmonitor.h"

#include <fcntl.h>
#include <unistd.h>

namespace orvane {

VirtualHotplugMonitor::VirtualHotplugMonitor(std::shared_ptr<VirtualKeyboard> keyboard)
    : keyboard_(std::move(keyboard)) {
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0) pipe_[0] = pipe_[1] = -1;
    // Called under the keyboard's lock; removal in the destructor waits for it.
    id_ = keyboard_->addHotplugListener([this](HotplugEvent e) {
        std::lock_guard lock(mutex_);
        events_.push_back(e);
        const char byte = 1;
        if (pipe_[1] >= 0) [[maybe_unused]] auto n = ::write(pipe_[1], &byte, 1);
    });
}

VirtualHotplugMonitor::~VirtualHotplugMonitor() {
    keyboard_->removeHotplugListener(id_);
    if (pipe_[0] >= 0) ::close(pipe_[0]);
    if (pipe_[1] >= 0) ::close(pipe_[1]);
}

std::vector<HotplugEvent> VirtualHotplugMonitor::takeEvents() {
    char drain[64];
    while (pipe_[0] >= 0 && ::read(pipe_[0], drain, sizeof drain) > 0) {
    }
    std::lock_guard lock(mutex_);
    auto events = foldHotplugEvents(events_);
    events_.clear();
    return events;
}

}  // namespace orvane
