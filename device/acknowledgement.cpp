#include "device/acknowledgement.h"

namespace orvane {

void AckFlag::clear() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

void AckFlag::set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

bool AckFlag::isSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

AckFlag::Wait AckFlag::waitFor(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return set_ || interrupted_; });
    if (set_) return Wait::Acknowledged;
    return interrupted_ ? Wait::Interrupted : Wait::TimedOut;
}

void AckFlag::setInterrupted(bool interrupted) {
    {
        std::lock_guard lock(mutex_);
        interrupted_ = interrupted;
    }
    changed_.notify_all();
}

bool AckFlag::interrupted() const {
    std::lock_guard lock(mutex_);
    return interrupted_;
}

}  // namespace orvane
