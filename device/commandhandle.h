// The command interface as the command functions see it: the open HID device
// (or none), the pacing sleeper, and the lock that serialises every transfer
// and the close. hidapi handles are not thread-safe, so nothing touches the
// device except through here.
//
// Transfers on a closed handle fail silently, as on the keyboard a command
// sent to a missing interface is simply lost. A failed transfer whose device
// has left the system closes the handle and reports the loss once.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>

#include "device/frame.h"
#include "platform/hid/hiddevice.h"
#include "platform/hid/sleeper.h"

namespace orvane {

enum class Transfer { FeatureOut, FeatureIn, DataOut, DataIn };

class CommandHandle {
public:
    // Data reports follow their announcing frame within milliseconds; a
    // keyboard that sends none must not hold the sequence for long.
    static constexpr int kDataReadTimeoutMs = 250;

    explicit CommandHandle(Sleeper& sleeper);
    CommandHandle(const CommandHandle&) = delete;
    CommandHandle& operator=(const CommandHandle&) = delete;

    void attach(std::unique_ptr<HidDevice> device);
    void close();
    bool isOpen() const;
    // Closes the handle (reporting the loss) when its device has left the
    // system, without a transfer. Returns whether the handle is closed.
    bool closeIfGone();
    // The last close was caused by a transfer that found the device gone.
    bool lost() const { return lost_.load(); }

    bool sendFeature(const Frame& frame);
    // Presets byte 0 (the report id) to 0 and fetches the reply of the last query.
    bool getFeature(Frame& reply);
    bool writeReport(const DataReport& report);
    enum class ReadResult { Report, Nothing, Failed };
    // Report only for a whole 65-byte report; Nothing when none came in time.
    ReadResult readReport(DataReport& report);

    // Pacing: a wait of 0 is a yield. Use only where the protocol asks for it.
    void wait(int milliseconds) { sleeper_.sleep(std::chrono::milliseconds(milliseconds)); }
    Sleeper& sleeper() { return sleeper_; }

    // Transfers that failed since the last reset (diagnostics, orvanectl).
    unsigned failures() const { return failures_.load(); }
    void resetFailures() { failures_ = 0; }

    // Sees every transfer that reached the device, with its bytes.
    void setObserver(std::function<void(Transfer, std::span<const std::uint8_t>)> observer);
    // Called (without the lock held) when a transfer finds the device gone.
    void setLossHandler(std::function<void()> handler);

private:
    template <typename Call>
    bool transfer(Transfer kind, std::span<const std::uint8_t> shown, std::size_t expected, Call&& call);

    Sleeper& sleeper_;
    mutable std::mutex io_;
    std::unique_ptr<HidDevice> device_;
    std::atomic<bool> lost_{false};
    std::atomic<unsigned> failures_{0};
    std::function<void(Transfer, std::span<const std::uint8_t>)> observer_;
    std::function<void()> lossHandler_;
};

}  // namespace orvane
