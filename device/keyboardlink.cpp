#include "device/keyboardlink.h"

#include <array>

#include "device/discovery.h"
#include "device/frame.h"
#include "device/readall.h"
#include "device/trace.h"

namespace orvane {

using std::chrono::milliseconds;

KeyboardLink::KeyboardLink(HidBackend& backend, Sleeper& sleeper, LinkListener& listener)
    : KeyboardLink(backend, sleeper, listener, Options{}) {}

KeyboardLink::KeyboardLink(HidBackend& backend, Sleeper& sleeper, LinkListener& listener, Options options)
    : backend_(backend), sleeper_(sleeper), listener_(listener), options_(options), command_(sleeper) {
    command_.setLossHandler([this] { onTransferLoss(); });
    // Without an event interface no acknowledgement can come.
    ack_.setInterrupted(true);
}

KeyboardLink::~KeyboardLink() { shutdown(); }

OpenOutcome KeyboardLink::openCommandInterface() {
    const auto found = discoverInterface(backend_, kCommandSelector);
    if (!found) return OpenOutcome::NotFound;
    auto device = backend_.open(found->node);
    if (!device) return OpenOutcome::CannotOpen;
    command_.attach(std::move(device));
    lossPosted_ = false;
    return OpenOutcome::Opened;
}

OpenOutcome KeyboardLink::openEventInterface() {
    const auto found = discoverInterface(backend_, kEventSelector);
    if (!found) return OpenOutcome::NotFound;
    auto device = backend_.open(found->node);
    if (!device) return OpenOutcome::CannotOpen;
    eventDevice_ = std::move(device);
    ack_.setInterrupted(false);
    return OpenOutcome::Opened;
}

KeyboardLink::StartResult KeyboardLink::start(const MouseData& working) {
    StartResult result;
    const OpenOutcome command = openCommandInterface();
    if (command == OpenOutcome::Opened) {
        result.commandOpened = true;
        if (!readAllThread_.joinable()) {
            readAllRunning_ = true;
            readAllThread_ = std::thread(&KeyboardLink::readAllThreadMain, this, working);
        }
    }
    const OpenOutcome event = openEventInterface();
    if (event == OpenOutcome::Opened) {
        result.eventOpened = true;
        if (!readerRunning_) startReader();
    }
    result.cannotOpen = command == OpenOutcome::CannotOpen || event == OpenOutcome::CannotOpen;
    return result;
}

KeyboardLink::StartResult KeyboardLink::openInterfaces() {
    StartResult result;
    const OpenOutcome command = command_.isOpen() ? OpenOutcome::Opened : openCommandInterface();
    const OpenOutcome event = eventOpen() ? OpenOutcome::Opened : openEventInterface();
    result.commandOpened = command == OpenOutcome::Opened;
    if (event == OpenOutcome::Opened) {
        result.eventOpened = true;
        if (!readerRunning_) startReader();
    }
    result.cannotOpen = command == OpenOutcome::CannotOpen || event == OpenOutcome::CannotOpen;
    return result;
}

void KeyboardLink::readAllThreadMain(MouseData data) {
    std::optional<FirmwareVersion> version;
    {
        std::lock_guard lock(sequence_);
        version = readAllThreadSequence(command_, data);
    }
    bool post = false;
    {
        std::lock_guard lock(handover_);
        if (!stopping_) {
            readAllResult_ = data;
            readAllVersion_ = version;
            post = true;
        }
    }
    if (post) {
        listener_.postReadAllFinished();
        // Like a sent message: the thread ends only once the window handled it.
        std::unique_lock lock(handover_);
        handoverChanged_.wait(lock, [this] { return readAllHandled_ || stopping_; });
    }
    readAllRunning_ = false;
}

bool KeyboardLink::finishReadAll(SettingsImage& image) {
    {
        std::lock_guard lock(handover_);
        if (!readAllResult_ || readAllHandled_ || stopping_) return false;
        image.working.mouseData = *readAllResult_;
        if (readAllVersion_) image.deviceFirmwareVersion = {readAllVersion_->major, readAllVersion_->minor, 0, 0};
        copyWorkingMouseDataToSaved(image);
    }
    listener_.sendRefresh(kRefreshAfterKeyboardRead);
    {
        std::lock_guard lock(handover_);
        readAllHandled_ = true;
    }
    handoverChanged_.notify_all();
    return true;
}

void KeyboardLink::startReader() {
    if (reader_.joinable()) reader_.join();  // a reader that ended on its own
    stop_ = false;
    readerRunning_ = true;
    reader_ = std::thread(&KeyboardLink::readerLoop, this, eventDevice_.get());
}

void KeyboardLink::stopReader() {
    stop_ = true;
    if (reader_.joinable()) reader_.join();
    readerRunning_ = false;
}

void KeyboardLink::readerLoop(HidDevice* device) {
    while (!stop_) {
        linkTrace("Slave Read\n");
        // One hidraw node carries the reports of every collection of its
        // interface: only report id 4 is an event report.
        std::array<std::uint8_t, kDataReportSize> report{};
        report[0] = kEventReportId;
        const int n = device->read(report, options_.readerSliceMs);
        if (n >= 2 && report[0] == kEventReportId) {
            if (report[1] == kAcknowledgementKind) {
                ack_.set();
            } else {
                listener_.postKeyEvent(n >= 3 ? report[2] : 0);
            }
        } else if (n < 0) {
            if (device->gone()) {
                onTransferLoss();
                break;
            }
            // A failed read on a present interface: try again after a slice
            // rather than spinning on the error.
            std::this_thread::sleep_for(milliseconds(options_.readerSliceMs));
        }
    }
    readerRunning_ = false;
}

void KeyboardLink::onTransferLoss() {
    ack_.setInterrupted(true);
    if (!lossPosted_.exchange(true)) listener_.postDeviceLost();
}

ArrivalResult KeyboardLink::onArrival(SettingsImage& image) {
    ArrivalResult result;
    linkTrace("Device arrival\n");
    // Only what is closed is opened; an open interface is left alone.
    if (!command_.isOpen()) {
        const OpenOutcome command = openCommandInterface();
        result.cannotOpen = command == OpenOutcome::CannotOpen;
        if (command == OpenOutcome::Opened) {
            std::lock_guard lock(sequence_);
            MouseData& data = image.working.mouseData;
            command_.resetFailures();
            readAll(command_, data);
            readKeyColorTables(command_, data);
            if (const auto version = GetFirmwareVersion(command_)) {
                image.deviceFirmwareVersion = {version->major, version->minor, 0, 0};
            }
            // A whole read is what the keyboard holds now, so the saved copy
            // follows it: a Save compares against the keyboard, never against a
            // state it lost while away, which would let a change that happens to
            // equal that old state go unsent. A read cut short leaves it alone.
            if (command_.isOpen() && command_.failures() == 0) copyWorkingMouseDataToSaved(image);
            result.commandOpened = true;
        }
    }
    if (!eventOpen()) {
        const OpenOutcome event = openEventInterface();
        result.cannotOpen = result.cannotOpen || event == OpenOutcome::CannotOpen;
        if (event == OpenOutcome::Opened) {
            if (!readerRunning_) startReader();
            result.eventOpened = true;
            listener_.sendRefresh(kRefreshAfterKeyboardRead);
        }
    }
    return result;
}

void KeyboardLink::onRemoval() {
    linkTrace("Device DBT_DEVICEREMOVECOMPLETE\n");
    // A second notification for the same keyboard (it has several nodes)
    // finds nothing left to stop.
    if (!command_.isOpen() && !eventOpen() && !reader_.joinable()) return;
    closeInterfaces();
    sleeper_.sleep(milliseconds(200));
    linkTrace("DBT_DEVICEREMOVECOMPLETE\n");
}

bool KeyboardLink::rescanFindsKeyboard() {
    if (command_.isOpen() && eventOpen()) return false;
    return discoverInterface(backend_, kCommandSelector).has_value() ||
           discoverInterface(backend_, kEventSelector).has_value();
}

WriteResult KeyboardLink::writeAll(SettingsImage& image) {
    std::lock_guard lock(sequence_);
    return orvane::writeAll(command_, ack_, image.working.mouseData, image.saved.mouseData, options_.ackLimit);
}

void KeyboardLink::factoryResetAndRead(MouseData& working) {
    std::lock_guard lock(sequence_);
    FactoryReset(command_);
    SetGameMode(command_, working, 1, 300);
    SetGameMode(command_, working, 1, 300);
    readAll(command_, working);
}

bool KeyboardLink::refreshLightingEffect(MouseData& working) {
    std::lock_guard lock(sequence_);
    return GetLightingEffect(command_, working);
}

void KeyboardLink::closeInterfaces() {
    ack_.setInterrupted(true);
    stop_ = true;
    sleeper_.sleep(milliseconds(500));
    stopReader();  // joined before its handle is closed: hidapi handles are not thread-safe
    command_.close();
    eventDevice_.reset();
}

void KeyboardLink::shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    closeInterfaces();
    {
        std::lock_guard lock(handover_);
        stopping_ = true;
    }
    handoverChanged_.notify_all();
    if (readAllThread_.joinable()) readAllThread_.join();
}

}  // namespace orvane
