// The acknowledgement flag: the reader thread sets it when the keyboard
// acknowledges a command group, write-all clears it and waits for it. The
// wait wakes the moment the flag is set instead of polling.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace orvane {

class AckFlag {
public:
    enum class Wait { Acknowledged, TimedOut, Interrupted };

    void clear();
    void set();
    bool isSet() const;
    // Waits until the flag is set, the limit passes, or the link is cut.
    Wait waitFor(std::chrono::milliseconds limit);
    // While interrupted, waits return at once: the event interface is gone,
    // so no acknowledgement can come.
    void setInterrupted(bool interrupted);
    bool interrupted() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
    bool interrupted_ = false;
};

}  // namespace orvane
