#include "macros/model/performanceclock.h"

#include <chrono>

#include "macros/model/macroevents.h"

namespace orvane {

std::int64_t SteadyPerformanceClock::frequency() const { return 1'000'000'000; }

std::int64_t SteadyPerformanceClock::counter() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

unsigned ticksToPauseMs(std::int64_t ticks, std::int64_t frequency) {
    if (ticks <= 0 || frequency <= 0) return 0;
    // ((ticks * 1e6) / f) / 1000 with truncation equals q * 1000 + (r * 1000) / f
    // for ticks = q * f + r; this form cannot overflow where the other could.
    const std::int64_t q = ticks / frequency;
    if (q >= kMaxPauseMs / 1000) return kMaxPauseMs;
    const std::int64_t r = ticks % frequency;
    const std::int64_t ms = q * 1000 + (r * 1000) / frequency;
    return ms > kMaxPauseMs ? kMaxPauseMs : static_cast<unsigned>(ms);
}

}  // namespace orvane
