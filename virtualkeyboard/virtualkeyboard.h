// An emulated keyboard that does everything the real one is relied on to do,
// in-process but on the wire format: frames are checksum-checked and decoded,
// replies and data reports are encoded at their byte positions, and every
// frame and report is written to a transcript with the waits requested
// before it. Its state lives in a file of the data folder so a run of the
// utility on it behaves like a real keyboard across restarts.
//
// Thread-safe: the command interface, the event reader, the test and the
// hot-plug monitors may call it from different threads.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "platform/hid/hotplugmonitor.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

struct TranscriptEntry {
    enum class Kind { FeatureOut, FeatureIn, DataOut, DataIn, EventIn, Unplug, Plug };
    Kind kind;
    std::vector<std::uint8_t> bytes;
    std::vector<int> waitsBefore;  // ms, in the order they were requested
    std::chrono::steady_clock::time_point at;
};

class VirtualKeyboard {
public:
    static constexpr const char* kStateFileName = "VirtualKeyboard.bin";
    // Beside a state file: slot numbers written into this file are pressed
    // (as pressKey) at the next event read, and the file is removed. This is
    // how a script presses keys of the keyboard a running utility talks to.
    static constexpr const char* kPressFileName = "VirtualKeyboard.press";

    // With a state file, the state is loaded from it (factory state when it
    // is absent or malformed) and written back after every change.
    explicit VirtualKeyboard(std::filesystem::path stateFile = {});

    // ---- State ----------------------------------------------------------
    // The keyboard's memory; LEDEffectSpeed holds its own value (10 - speed).
    MouseData memory() const;
    void setMemory(const MouseData& memory);
    std::array<std::uint8_t, 2> firmwareVersion() const;
    void setFirmwareVersion(std::uint8_t major, std::uint8_t minor);
    static MouseData factoryMemory();

    // ---- Plug -----------------------------------------------------------
    void plug();
    void unplug();
    bool plugged() const;
    // Changes at every unplug: interfaces opened before it are dead.
    unsigned generation() const;

    // ---- Fault switches -------------------------------------------------
    void setAcknowledging(bool on);                      // off: no acknowledgements at all
    void setAcknowledgementDelay(std::chrono::milliseconds delay);  // late acknowledgements
    void setGarbageReplies(bool on);                     // reply frames and data reports of noise
    void setSilentBlocks(bool on);                       // block reads answered with no data reports
    // Listed but every open fails, as without the udev rule or while another
    // program holds the keyboard.
    void setOpenRefused(bool on);
    bool openRefused() const;
    // One acknowledgement that goes wrong: acknowledgement number `index`
    // counted from this call (0 = the next one), or every one when index is
    // nothing, is not sent, sent `delay` late, or sent twice. Replaces the
    // previous fault; AckFault::None clears it.
    enum class AckFault { None, Missing, Late, Twice };
    void setAcknowledgementFault(AckFault fault, std::optional<unsigned> index = std::nullopt,
                                 std::chrono::milliseconds delay = {});
    // Acknowledgements due since the last setAcknowledgementFault (sent or not).
    unsigned acknowledgements() const;
    // Unplugs itself when a command-interface transfer would be number n+1.
    void unplugAfterTransfers(std::optional<unsigned> n);
    unsigned transfers() const;

    // ---- Events ---------------------------------------------------------
    // A press of the key in device slot `slot`: an event report with its
    // code when the slot's entry is KIND_HOST. Returns whether one was sent.
    bool pressKey(std::size_t slot);
    void sendEventReport(std::array<std::uint8_t, 4> report);
    // Event reports queued and not yet read by the host.
    std::size_t pendingEvents() const;
    // Event reads the host has started; once it rises after the queue is
    // empty, the host has dealt with every report it took.
    unsigned eventReads() const;

    // ---- Transcript -----------------------------------------------------
    std::vector<TranscriptEntry> transcript() const;
    void clearTranscript();
    void noteWait(int milliseconds);

    // ---- Wire (used by the virtual HID interfaces) ------------------------
    int commandFeatureOut(unsigned generation, std::span<const std::uint8_t> report);
    int commandFeatureIn(unsigned generation, std::span<std::uint8_t> report);
    int commandDataOut(unsigned generation, std::span<const std::uint8_t> report);
    int commandDataIn(unsigned generation, std::span<std::uint8_t> report);
    int eventIn(unsigned generation, std::span<std::uint8_t> report, int timeoutMs);

    int addHotplugListener(std::function<void(HotplugEvent)> listener);
    void removeHotplugListener(int id);

private:
    enum class Block { None, KeyTable, KeyMask, MacroSlot, ColorTable };
    struct PendingWrite {
        Block block = Block::None;
        std::size_t index = 0;
        std::size_t reports = 0;
        std::size_t received = 0;
        std::vector<std::uint8_t> staging;
    };
    struct Event {
        std::array<std::uint8_t, 4> report;
        std::chrono::steady_clock::time_point due;
    };

    bool aliveLocked(unsigned generation) const;
    bool countTransferLocked();  // false when the unplug fault fires
    void recordLocked(TranscriptEntry::Kind kind, std::span<const std::uint8_t> bytes);
    void handleFrameLocked(std::span<const std::uint8_t, 9> frame);
    void queueBlockLocked(std::span<const std::uint8_t> block, std::size_t reports);
    void finishWriteLocked();
    void acknowledgeLocked();
    void queueEventLocked(std::array<std::uint8_t, 4> report, std::chrono::milliseconds delay);
    void unplugLocked();
    void saveLocked();
    void takePressRequestsLocked();
    bool pressKeyLocked(std::size_t slot);
    std::uint8_t noiseLocked();

    mutable std::mutex mutex_;
    std::condition_variable eventsChanged_;
    std::filesystem::path stateFile_;
    MouseData memory_{};
    std::array<std::uint8_t, 2> firmware_{1, 0};
    LedEffect stagedEffect_{};
    bool plugged_ = true;
    unsigned generation_ = 1;

    bool acknowledging_ = true;
    std::chrono::milliseconds ackDelay_{0};
    bool garbage_ = false;
    bool silentBlocks_ = false;
    bool openRefused_ = false;
    AckFault ackFault_ = AckFault::None;
    std::optional<unsigned> ackFaultIndex_;
    std::chrono::milliseconds ackFaultDelay_{0};
    unsigned acknowledgements_ = 0;
    unsigned eventReads_ = 0;
    std::optional<unsigned> unplugAfter_;
    unsigned transfers_ = 0;
    std::uint32_t noise_ = 0x2545F491u;

    std::array<std::uint8_t, 9> reply_{};
    std::deque<std::array<std::uint8_t, 65>> dataIn_;
    PendingWrite pendingWrite_;
    std::deque<Event> events_;

    std::vector<TranscriptEntry> transcript_;
    std::vector<int> pendingWaits_;

    std::map<int, std::function<void(HotplugEvent)>> hotplugListeners_;
    int nextListenerId_ = 1;
};

}  // namespace orvane
