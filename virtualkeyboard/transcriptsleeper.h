// A sleeper that writes each requested wait into the virtual keyboard's
// transcript, before the next frame. Tests leave the waits unslept so suites
// run fast; the benchmark sleeps them for real.
#pragma once

#include <mutex>
#include <vector>

#include "platform/hid/sleeper.h"
#include "virtualkeyboard/virtualkeyboard.h"

namespace orvane {

class TranscriptSleeper final : public Sleeper {
public:
    explicit TranscriptSleeper(VirtualKeyboard& keyboard, bool reallySleep = false)
        : keyboard_(keyboard), real_(reallySleep) {}

    void sleep(std::chrono::milliseconds duration) override {
        keyboard_.noteWait(static_cast<int>(duration.count()));
        {
            std::lock_guard lock(mutex_);
            waits_.push_back(static_cast<int>(duration.count()));
        }
        if (real_) realSleeper().sleep(duration);
    }
    std::vector<int> waits() const {
        std::lock_guard lock(mutex_);
        return waits_;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        waits_.clear();
    }

private:
    VirtualKeyboard& keyboard_;
    bool real_;
    mutable std::mutex mutex_;
    std::vector<int> waits_;
};

}  // namespace orvane
