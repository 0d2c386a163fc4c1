// A keyboard link on the virtual keyboard with a recording sleeper, and
// helpers to read the transcript as command names.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/device.h"
#include "virtualkeyboard/transcriptsleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace orvane::test {

// How long a wait may take before it counts as a hang. Never a figure the
// product must reach: a loaded machine may be slow, only a stuck one is this slow.
inline constexpr std::chrono::seconds kHangLimit{120};

class TestListener : public LinkListener {
public:
    void postKeyEvent(std::uint8_t code) override { push([&] { keyEvents.push_back(code); }); }
    void sendRefresh(int kind) override { push([&] { refreshes.push_back(kind); }); }
    void postReadAllFinished() override { push([&] { ++readAllFinished; }); }
    void postDeviceLost() override { push([&] { ++deviceLost; }); }

    template <typename Pred>
    bool waitUntil(Pred pred, std::chrono::milliseconds limit = kHangLimit) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [&] { return pred(); });
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::uint8_t> keyEvents;
    std::vector<int> refreshes;
    std::atomic<int> readAllFinished{0};
    std::atomic<int> deviceLost{0};

private:
    template <typename F>
    void push(F&& f) {
        {
            std::lock_guard lock(mutex);
            f();
        }
        changed.notify_all();
    }
};

struct VirtualRig {
    VirtualRig()
        : keyboard(std::make_shared<VirtualKeyboard>()),
          backend(keyboard),
          sleeper(*keyboard),
          image(std::make_unique<SettingsImage>()) {}

    // A command handle opened directly on the virtual command interface.
    std::unique_ptr<CommandHandle> commandHandle() {
        auto handle = std::make_unique<CommandHandle>(sleeper);
        handle->attach(backend.open(VirtualHidBackend::kCommandNode));
        return handle;
    }

    std::shared_ptr<VirtualKeyboard> keyboard;
    VirtualHidBackend backend;
    TranscriptSleeper sleeper;
    TestListener listener;
    std::unique_ptr<SettingsImage> image;
};

// The frames the keyboard received, as "Name" or "Name/p" with p = byte 2
// for SetLightingEffect and SetGameMode, or byte 3 (the index) for indexed commands.
inline std::vector<std::string> sentCommands(const std::vector<TranscriptEntry>& transcript) {
    std::vector<std::string> names;
    for (const auto& e : transcript) {
        if (e.kind != TranscriptEntry::Kind::FeatureOut || e.bytes.size() != 9) continue;
        const std::uint8_t code = e.bytes[1];
        std::string name(commandName(code));
        if (code == kSetLightingEffect || code == kSetGameMode) name += "/" + std::to_string(e.bytes[2]);
        if (code == kSetPaletteColor || code == kWriteMacroSlot || code == kWriteKeyColorTable ||
            code == kReadMacroSlot || code == kReadKeyColorTable || code == kGetPaletteColor) {
            name += "/" + std::to_string(e.bytes[3]);
        }
        names.push_back(name);
    }
    return names;
}

inline std::vector<TranscriptEntry> entriesOf(const std::vector<TranscriptEntry>& transcript,
                                              TranscriptEntry::Kind kind) {
    std::vector<TranscriptEntry> out;
    for (const auto& e : transcript) {
        if (e.kind == kind) out.push_back(e);
    }
    return out;
}

inline int totalWaits(const std::vector<int>& waits) {
    int sum = 0;
    for (int w : waits) sum += w;
    return sum;
}

}  // namespace orvane::test

namespace orvane::test {

// A link on the virtual keyboard that has run its start-up read and handed
// it over, with the transcript cleared: ready for write-all.
struct ConnectedRig : VirtualRig {
    explicit ConnectedRig(KeyboardLink::Options options = fastOptions()) : link(backend, sleeper, listener, options) {
        const auto started = link.start(image->working.mouseData);
        EXPECT_TRUE(started.commandOpened);
        EXPECT_TRUE(started.eventOpened);
        EXPECT_TRUE(listener.waitUntil([&] { return listener.readAllFinished == 1; }));
        EXPECT_TRUE(link.finishReadAll(*image));
        // The start-up SetGameMode is acknowledged too; let that report be
        // read before the test starts counting.
        EXPECT_TRUE(settle());
        keyboard->clearTranscript();
        sleeper.clear();
    }

    // Waits until the reader has taken every queued event report and acted
    // on it: the queue is empty and the reader has started its next read.
    // Delayed reports are waited for too.
    bool settle() {
        const auto giveUp = std::chrono::steady_clock::now() + kHangLimit;
        while (keyboard->pendingEvents() != 0) {
            if (std::chrono::steady_clock::now() > giveUp || !link.readerRunning()) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const unsigned reads = keyboard->eventReads();
        while (keyboard->eventReads() == reads) {
            if (std::chrono::steady_clock::now() > giveUp || !link.readerRunning()) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    static KeyboardLink::Options fastOptions() {
        KeyboardLink::Options o;
        o.readerSliceMs = 10;  // joins stay quick; the 200 ms slice is only a latency bound
        return o;
    }

    KeyboardLink link;
};

}  // namespace orvane::test
