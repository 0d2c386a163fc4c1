// The high-resolution counter recording measures pauses with. Injectable so
// tests feed exact pauses.
#pragma once

#include <cstdint>

namespace orvane {

class PerformanceClock {
public:
    virtual ~PerformanceClock() = default;
    virtual std::int64_t frequency() const = 0;  // ticks per second, > 0
    virtual std::int64_t counter() = 0;
};

// std::chrono::steady_clock in nanoseconds.
class SteadyPerformanceClock final : public PerformanceClock {
public:
    std::int64_t frequency() const override;
    std::int64_t counter() override;
};

// Ticks to whole milliseconds, each division truncating, capped at 60000.
// Negative spans count as 0; spans far beyond the cap never overflow.
unsigned ticksToPauseMs(std::int64_t ticks, std::int64_t frequency);

}  // namespace orvane
