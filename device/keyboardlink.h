// The keyboard link: the two open interfaces, the lock that runs command
// sequences one at a time, the stop flag and the two worker threads.
//
// Threads: the user-interface thread calls everything here. The start-up
// read-all thread reads into its own copy of MouseData and hands it over on
// the user-interface thread (finishReadAll), so the settings image is only
// ever touched by that thread. The reader thread touches only the event
// interface, the acknowledgement flag and the listener's non-blocking posts.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "device/acknowledgement.h"
#include "device/commandhandle.h"
#include "device/commands.h"
#include "device/linklistener.h"
#include "device/writeall.h"
#include "platform/hid/hidbackend.h"
#include "platform/hid/sleeper.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// What an attempt to open one interface found. CannotOpen: the keyboard is
// listed but the node refused us (no udev rule, or another program holds it).
enum class OpenOutcome { Opened, NotFound, CannotOpen };

struct ArrivalResult {
    bool commandOpened = false;  // and the keyboard was read: the sliders follow its settings
    bool eventOpened = false;    // and the refresh was sent
    bool cannotOpen = false;     // an interface was listed but refused
};

class KeyboardLink {
public:
    struct Options {
        std::chrono::milliseconds ackLimit = kAcknowledgementLimit;
        // How long one event read waits before the reader looks at its stop flag.
        int readerSliceMs = 200;
    };

    KeyboardLink(HidBackend& backend, Sleeper& sleeper, LinkListener& listener);
    KeyboardLink(HidBackend& backend, Sleeper& sleeper, LinkListener& listener, Options options);
    ~KeyboardLink();  // shutdown()
    KeyboardLink(const KeyboardLink&) = delete;
    KeyboardLink& operator=(const KeyboardLink&) = delete;

    struct StartResult {
        bool commandOpened = false;
        bool eventOpened = false;
        bool cannotOpen = false;  // an interface was listed but refused
    };
    // Start-up: opens the command interface and starts the read-all thread
    // on a copy of `working`, then opens the event interface and starts the reader.
    StartResult start(const MouseData& working);
    // Opens both interfaces and starts the reader, without the start-up read
    // (tools that read the keyboard themselves).
    StartResult openInterfaces();
    // On the user-interface thread after postReadAllFinished: copies what the
    // thread read onto the working and saved MouseData, sets
    // DeviceFirmwareVersion, sends the refresh after a keyboard read and lets the thread end.
    // False when there is nothing to hand over.
    bool finishReadAll(SettingsImage& image);

    // Device arrival (after a hot-plug arrival or a successful rescan). It
    // does not wait for the keyboard to settle: the caller does, without
    // holding up its event loop. A read of the keyboard that went through
    // whole also becomes the saved MouseData.
    ArrivalResult onArrival(SettingsImage& image);
    // Device removal: stops and joins the reader, closes both interfaces.
    void onRemoval();
    // For the slow rescan: the link is not fully connected but the keyboard's
    // command interface is enumerated, so an arrival would find it.
    bool rescanFindsKeyboard();

    WriteResult writeAll(SettingsImage& image);
    // The keyboard half of the factory reset: FactoryReset, SetGameMode 1
    // twice (300 ms each), then read-all into `working`.
    void factoryResetAndRead(MouseData& working);
    // GetLightingEffect on its own (the refresh handler runs it once more).
    bool refreshLightingEffect(MouseData& working);
    // Runs f(CommandHandle&) as one sequence (diagnostics, orvanectl).
    template <typename F>
    decltype(auto) runSequence(F&& f) {
        std::lock_guard lock(sequence_);
        return f(command_);
    }

    // Destruction steps: stop flag, 500 ms, reader joined, interfaces closed,
    // the read-all thread released and joined. Idempotent.
    void shutdown();

    OpenOutcome openCommandInterface();
    OpenOutcome openEventInterface();
    bool commandOpen() const { return command_.isOpen(); }
    bool eventOpen() const { return eventDevice_ != nullptr; }
    bool readerRunning() const { return readerRunning_.load(); }
    bool readAllThreadRunning() const { return readAllRunning_.load(); }
    CommandHandle& commandHandle() { return command_; }
    AckFlag& acknowledgement() { return ack_; }

private:
    void startReader();
    void stopReader();
    // Stops the reader and closes both interfaces: removal and shutdown alike.
    void closeInterfaces();
    void readerLoop(HidDevice* device);
    void readAllThreadMain(MouseData data);
    void onTransferLoss();

    HidBackend& backend_;
    Sleeper& sleeper_;
    LinkListener& listener_;
    Options options_;

    CommandHandle command_;
    std::mutex sequence_;  // one command sequence at a time
    std::unique_ptr<HidDevice> eventDevice_;  // used by the reader only while it runs
    AckFlag ack_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> readerRunning_{false};
    std::atomic<bool> readAllRunning_{false};
    std::atomic<bool> lossPosted_{false};
    std::thread reader_;
    std::thread readAllThread_;
    bool shutDown_ = false;

    // Hand-over of the start-up read from its thread to the user-interface thread.
    std::mutex handover_;
    std::condition_variable handoverChanged_;
    std::optional<MouseData> readAllResult_;
    std::optional<FirmwareVersion> readAllVersion_;
    bool readAllHandled_ = false;
    bool stopping_ = false;
};

}  // namespace orvane
