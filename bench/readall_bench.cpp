// read-all against the virtual keyboard with the real sleeper: how close the
// sequence comes to the sum of the waits the protocol prescribes.
#include <chrono>
#include <cstdio>
#include <memory>

#include "device/device.h"
#include "virtualkeyboard/transcriptsleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"

int main() {
    using namespace orvane;
    using Clock = std::chrono::steady_clock;
    auto keyboard = std::make_shared<VirtualKeyboard>();
    VirtualHidBackend backend(keyboard);
    TranscriptSleeper sleeper(*keyboard, /*reallySleep=*/true);
    CommandHandle handle(sleeper);
    handle.attach(backend.open(VirtualHidBackend::kCommandNode));
    auto data = std::make_unique<MouseData>();

    constexpr int kRuns = 5;
    double worst = 0;
    for (int run = 0; run < kRuns; ++run) {
        sleeper.clear();
        const auto start = Clock::now();
        readAll(handle, *data);
        const double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        int prescribed = 0;
        for (int w : sleeper.waits()) prescribed += w;
        const double ratio = took / prescribed;
        worst = std::max(worst, ratio);
        std::printf("read-all run %d: %.2f ms, prescribed waits %d ms, ratio %.4f\n", run + 1, took, prescribed,
                    ratio);
    }
    std::printf("worst ratio %.4f (limit 1.05): %s\n", worst, worst <= 1.05 ? "met" : "NOT met");
    return worst <= 1.05 ? 0 : 1;
}
