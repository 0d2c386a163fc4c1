#include "platform/hid/sleeper.h"

#include <thread>

namespace orvane {

void RealSleeper::sleep(std::chrono::milliseconds duration) {
    if (duration.count() <= 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(duration);
}

Sleeper& realSleeper() {
    static RealSleeper sleeper;
    return sleeper;
}

}  // namespace orvane
