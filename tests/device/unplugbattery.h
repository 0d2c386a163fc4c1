// The pieces of the unplug and acknowledgement batteries: a watchdog that
// bounds every run, the change that touches every group, and the checks
// that follow each run.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "keyboardstate/keytables.h"
#include "linkfixture.h"
#include "support/eventually.h"

namespace orvane::test {

// Every run of a battery is bounded: one still going after kHangLimit is a
// hang, and the watchdog stops the program naming it. It also keeps the
// slowest run's time for the battery's closing line (never asserted).
class Watchdog {
public:
    explicit Watchdog(std::string battery) : battery_(std::move(battery)), thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
        std::printf("%s: %u runs, slowest %.1f ms (%s)\n", battery_.c_str(), runs_,
                    std::chrono::duration<double, std::milli>(slowest_).count(), slowestRun_.c_str());
    }

    void start(std::string run) {
        {
            std::lock_guard lock(mutex_);
            run_ = std::move(run);
            started_ = Clock::now();
            running_ = true;
        }
        changed_.notify_all();
    }
    void finish() {
        std::lock_guard lock(mutex_);
        const auto took = Clock::now() - started_;
        if (took > slowest_) {
            slowest_ = took;
            slowestRun_ = run_;
        }
        ++runs_;
        running_ = false;
    }

private:
    using Clock = std::chrono::steady_clock;
    void watch() {
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            if (running_ && Clock::now() - started_ > kHangLimit) {
                std::fprintf(stderr, "%s: %s did not end within %lld s\n", battery_.c_str(), run_.c_str(),
                             static_cast<long long>(kHangLimit.count()));
                std::abort();
            }
            changed_.wait_for(lock, std::chrono::seconds(1));
        }
    }

    std::string battery_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string run_, slowestRun_;
    Clock::time_point started_{};
    Clock::duration slowest_{};
    unsigned runs_ = 0;
    bool running_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

inline std::size_t threadCount() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) ++n;
    return n;
}

// The system lets a joined thread's entry linger for a moment: the count is
// waited for, never sampled once.
inline bool threadsBackTo(std::size_t count) {
    return eventually([&] { return threadCount() <= count; }, kHangLimit);
}

// Which macro slots and colour tables a change touches.
enum class Spread { Every, FirstAndLast };

// Sets every group of MouseData to a value the factory keyboard does not
// hold. The values are fixed, so applying it again after a reread gives the
// same target, whatever part of it had already reached the keyboard.
inline void changeEveryGroup(MouseData& w, Spread spread) {
    w.ledEffect.LEDEffectSpeed = 3;
    w.ledEffect.LEDEffectBrightness = 20;
    w.ledEffect.LEDEffectMode = 13;
    w.ledEffect.LEDEffectDirection = 2;
    const auto c = paletteColor(w, 6);
    c[0] = 1, c[1] = 2, c[2] = 3;
    w.GameMode = 0;
    w.ReportRate = 2;
    w.ResponseTime = 7;
    deviceKeyEntry(w, 4 * deviceSlotOfPosition(42))[2] = 0x04;  // Q types A
    w.WinLock = 1;
    for (std::size_t s = 0; s < kMacroSlotCount; ++s) {
        if (spread == Spread::Every || s == 0 || s == kMacroSlotCount - 1) macroSlot(w, s)[5] = 0x5A;
    }
    for (std::size_t t = 0; t < kKeyColorTableCount; ++t) {
        if (spread == Spread::Every || t == 0 || t == kKeyColorTableCount - 1) {
            keyColorTable(w, t)[KeyPositionEntryMap[0] + 1] = 0x12;
        }
    }
    applyWinLock(w);  // as write-all will, so comparing the copies tells what is left to send
}

// The first field in which the image and the keyboard's memory differ, or
// "" when the image holds exactly what the keyboard does.
inline std::string firstDifference(const MouseData& image, const MouseData& memory) {
    const LedEffect& a = image.ledEffect;
    const LedEffect& b = memory.ledEffect;
    if (image.ReportRate != memory.ReportRate) return "ReportRate";
    if (image.DeviceKeyTable != memory.DeviceKeyTable) return "DeviceKeyTable";
    if (image.MacroSlots != memory.MacroSlots) return "MacroSlots";
    if (image.ResponseTime != memory.ResponseTime) return "ResponseTime";
    if (a.LEDEffectMode != b.LEDEffectMode || a.LEDEffectSpeed != speedFromDevice(b.LEDEffectSpeed) ||
        a.LEDEffectBrightness != b.LEDEffectBrightness || a.LEDEffectColor != b.LEDEffectColor ||
        a.LEDEffectDirection != b.LEDEffectDirection) {
        return "LedEffect";
    }
    if (image.PaletteColors != memory.PaletteColors) return "PaletteColors";
    if (image.GameMode != memory.GameMode) return "GameMode";
    if (image.KeyEnableMask != memory.KeyEnableMask) return "KeyEnableMask";
    if (image.KeyColorTables != memory.KeyColorTables) return "KeyColorTables";
    return "";
}

inline bool sameBytes(const MouseData& a, const MouseData& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The window's side of a lost keyboard and of its return, then a Save of the
// change: the link noticed the loss, the removal stopped the reader and
// closed both interfaces; on replug the arrival reads the keyboard whole and
// a Save leaves the keyboard holding the whole change, nothing left unsent.
inline void removeReplugAndSave(VirtualRig& rig, KeyboardLink& link, Spread spread, const std::string& run) {
    SCOPED_TRACE(run);
    if (!rig.keyboard->plugged()) {
        ASSERT_TRUE(rig.listener.waitUntil([&] { return rig.listener.deviceLost >= 1; }));
        // The reader sees its interface gone and ends by itself.
        ASSERT_TRUE(eventually([&] { return !link.readerRunning(); }, kHangLimit));
    }
    link.onRemoval();
    ASSERT_FALSE(link.readerRunning());
    ASSERT_FALSE(link.commandOpen());
    ASSERT_FALSE(link.eventOpen());

    rig.keyboard->unplugAfterTransfers(std::nullopt);
    rig.keyboard->setAcknowledgementFault(VirtualKeyboard::AckFault::None);
    rig.keyboard->plug();
    ASSERT_TRUE(link.rescanFindsKeyboard());
    const ArrivalResult arrival = link.onArrival(*rig.image);
    ASSERT_TRUE(arrival.commandOpened);
    ASSERT_TRUE(arrival.eventOpened);
    ASSERT_TRUE(link.readerRunning());
    ASSERT_EQ(firstDifference(rig.image->working.mouseData, rig.keyboard->memory()), "");

    changeEveryGroup(rig.image->working.mouseData, spread);
    // Nothing to send only when the keyboard already holds all of it.
    const bool left = compareGroups(rig.image->working.mouseData, rig.image->saved.mouseData).any();
    ASSERT_EQ(link.writeAll(*rig.image), left ? WriteResult::Sent : WriteResult::NothingChanged);
    ASSERT_EQ(firstDifference(rig.image->working.mouseData, rig.keyboard->memory()), "");
    ASSERT_TRUE(sameBytes(rig.image->saved.mouseData, rig.image->working.mouseData));
}

}  // namespace orvane::test
