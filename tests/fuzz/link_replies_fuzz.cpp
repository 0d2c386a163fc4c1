// A keyboard that answers anything: reply frames, data reports and event
// reports of any length and content, transfers that fail, and a keyboard that
// leaves at any moment, all through the link as an arrival, a factory reset
// and a Save run them. Whatever was read is in the ranges the windows index
// with, and the link always ends with its reader joined.
//
// Input: the length of the event part (2 bytes), the event part, then the
// command interface's part. Each transfer takes a control byte (its length
// or a failure) and then its bytes.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "device/device.h"
#include "fuzztarget.h"
#include "mainwindow/model/displayrules.h"
#include "platform/hid/hidpaths.h"

namespace {

using namespace orvane;

class ScriptedDevice final : public HidDevice {
public:
    ScriptedDevice(std::span<const std::uint8_t> script, bool events) : in_(script.data(), script.size()), events_(events) {}

    int sendFeatureReport(std::span<const std::uint8_t> report) override { return accept(report.size()); }
    int getFeatureReport(std::span<std::uint8_t> report) override { return fill(report, 10); }
    int write(std::span<const std::uint8_t> report) override { return accept(report.size()); }
    int read(std::span<std::uint8_t> report, int) override { return fill(report, events_ ? 5 : 66); }
    bool gone() const override { return gone_; }

private:
    // A control byte from 0xF0 up fails the transfer; from 0xF8 the keyboard has left.
    std::optional<std::uint8_t> control() {
        if (in_.empty() || gone_) {
            gone_ = true;
            return std::nullopt;
        }
        const std::uint8_t c = in_.byte();
        if (c >= 0xF0) {
            gone_ = c >= 0xF8;
            return std::nullopt;
        }
        return c;
    }
    int accept(std::size_t size) { return control() ? static_cast<int>(size) : -1; }
    int fill(std::span<std::uint8_t> report, unsigned lengths) {
        const auto c = control();
        if (!c) return -1;
        const std::size_t n = std::min<std::size_t>(*c % lengths, report.size());
        const auto bytes = in_.bytes(n);
        std::copy(bytes.begin(), bytes.end(), report.begin());
        return static_cast<int>(bytes.size());
    }

    fuzz::Input in_;
    bool events_;
    bool gone_ = false;
};

class ScriptedBackend final : public HidBackend {
public:
    ScriptedBackend(std::span<const std::uint8_t> events, std::span<const std::uint8_t> commands)
        : events_(events), commands_(commands) {}
    std::vector<HidInterface> enumerate() override {
        return describeInterfaces({{"fuzz:event", 1}, {"fuzz:event", 1}, {"fuzz:event", 1}, {"fuzz:event", 1},
                                   {"fuzz:command", 3}},
                                  kKeyboardVendorId, kKeyboardProductId);
    }
    std::unique_ptr<HidDevice> open(const std::string& node) override {
        // Each interface opens once: a second arrival finds nothing new.
        if (node == "fuzz:command" && !commandOpened_.exchange(true)) return std::make_unique<ScriptedDevice>(commands_, false);
        if (node == "fuzz:event" && !eventOpened_.exchange(true)) return std::make_unique<ScriptedDevice>(events_, true);
        return nullptr;
    }
    std::unique_ptr<HotplugMonitor> watchHotplug() override { return nullptr; }

private:
    std::span<const std::uint8_t> events_, commands_;
    std::atomic<bool> commandOpened_{false}, eventOpened_{false};
};

class NoWaits final : public Sleeper {
public:
    void sleep(std::chrono::milliseconds) override {}
};

class Listener final : public LinkListener {
public:
    void postKeyEvent(std::uint8_t) override { ++keyEvents; }
    void sendRefresh(int) override { ++refreshes; }
    void postReadAllFinished() override {}
    void postDeviceLost() override { ++lost; }
    std::atomic<int> keyEvents{0}, refreshes{0}, lost{0};
};

void checkRanges(const MouseData& d) {
    const LedEffect& led = d.ledEffect;
    ORVANE_FUZZ_CHECK(led.LEDEffectMode <= kLastEffectMode);
    ORVANE_FUZZ_CHECK(led.LEDEffectSpeed <= 9);
    ORVANE_FUZZ_CHECK(led.LEDEffectBrightness <= 50);
    ORVANE_FUZZ_CHECK(led.LEDEffectColor <= 8);
    ORVANE_FUZZ_CHECK(led.LEDEffectDirection <= 4);
    ORVANE_FUZZ_CHECK(d.ReportRate <= 3);
    ORVANE_FUZZ_CHECK(d.WinLock <= 1);
}

}  // namespace

ORVANE_FUZZ_TARGET(link_replies) {
    // Write-all says which values it did not send as read: not news here.
    static const bool quiet = (setLinkWarningSink([](std::string_view) {}), true);
    (void)quiet;
    fuzz::Input in(data, size);
    const auto events = in.bytes(in.u16() % 512);
    const auto commands = in.rest();

    // The platform's pure parsers see the same bytes.
    descriptorUsesReportIds(events);
    const std::string text(events.begin(), events.end());
    isHidrawNodeName(text);
    isKeyboardDevpath(text);

    ScriptedBackend backend(events, commands);
    NoWaits sleeper;
    Listener listener;
    auto image = std::make_unique<SettingsImage>();
    {
        KeyboardLink::Options options;
        options.ackLimit = std::chrono::milliseconds(0);  // no acknowledgement is awaited for real
        options.readerSliceMs = 1;                          // nor a failed read
        KeyboardLink link(backend, sleeper, listener, options);
        link.onArrival(*image);
        checkRanges(image->working.mouseData);
        // The reader runs until its reports are used up and the keyboard leaves.
        while (link.readerRunning()) std::this_thread::yield();

        image->working.mouseData.ResponseTime = static_cast<std::uint8_t>(image->saved.mouseData.ResponseTime % 10 + 1);
        link.writeAll(*image);
        link.factoryResetAndRead(image->working.mouseData);
        checkRanges(image->working.mouseData);
        link.onRemoval();
        ORVANE_FUZZ_CHECK(!link.readerRunning() && !link.commandOpen() && !link.eventOpen());
    }
    MainWindowState state;
    state.LightingCollapsed = false;
    state.ReportRateCollapsed = false;
    settleMainWindow(*image, state);
    computeModifiedKeyFlags(image->working.mouseData, image->working.keyAssignments, image->modifiedKeyFlags);
    return 0;
}
