// The one place the link waits between transfers. The keyboard needs fixed
// pauses between frames; production sleeps them, tests record them so the
// pacing is checked exactly and suites run fast.
#pragma once

#include <chrono>

namespace orvane {

class Sleeper {
public:
    virtual ~Sleeper() = default;
    // A wait of 0 ms is a yield: the thread gives up its time slice.
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

class RealSleeper final : public Sleeper {
public:
    void sleep(std::chrono::milliseconds duration) override;
};

// A process-wide real sleeper for callers that have no other.
Sleeper& realSleeper();

}  // namespace orvane
