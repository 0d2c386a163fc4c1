// Hot-plug on the Qt event loop: the monitor's descriptor watched by a
// QSocketNotifier, and a slow rescan timer that finds the keyboard when the
// monitor stays silent (no udevd) or could not be created. QtCore only; the
// main window owns one and routes the callbacks to its device-change handling.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "platform/hid/hotplugmonitor.h"

class QSocketNotifier;
class QTimer;

namespace orvane {

class HotplugWatcher {
public:
    struct Callbacks {
        std::function<void()> arrival;
        std::function<void()> removal;
        // Asked at every rescan tick; true runs `arrival`.
        std::function<bool()> rescanFindsKeyboard;
    };

    static constexpr std::chrono::milliseconds kRescanInterval{5000};

    // monitor may be null: then only the rescan finds the keyboard.
    HotplugWatcher(std::unique_ptr<HotplugMonitor> monitor, Callbacks callbacks,
                   std::chrono::milliseconds rescanInterval = kRescanInterval);
    ~HotplugWatcher();
    HotplugWatcher(const HotplugWatcher&) = delete;
    HotplugWatcher& operator=(const HotplugWatcher&) = delete;

    bool monitoring() const { return monitor_ != nullptr; }

private:
    void drain();

    std::unique_ptr<HotplugMonitor> monitor_;
    Callbacks callbacks_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QTimer> rescan_;
};

}  // namespace orvane
