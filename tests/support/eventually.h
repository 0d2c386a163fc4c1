// The one wait of the test suite: on observable state, never a fixed time.
// Polls `pred` until it holds; in a test program with a Qt application
// (qtmain.cpp, guiapp.cpp) the event loop runs between the polls.
#pragma once

#include <chrono>
#include <thread>

namespace orvane::test {

// Set by the Qt test mains: one turn of the event loop.
inline void (*eventLoopStep)() = nullptr;

inline constexpr std::chrono::milliseconds kEventuallyLimit{5000};

// False only when the limit passed first (a hang is the likelier cause).
template <typename Pred>
bool eventually(Pred pred, std::chrono::milliseconds limit = kEventuallyLimit) {
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > giveUp) return false;
        if (eventLoopStep != nullptr) {
            eventLoopStep();
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return true;
}

}  // namespace orvane::test
