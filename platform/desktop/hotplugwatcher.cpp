#include "platform/desktop/hotplugwatcher.h"

#include <QSocketNotifier>
#include <QTimer>

namespace orvane {

HotplugWatcher::HotplugWatcher(std::unique_ptr<HotplugMonitor> monitor, Callbacks callbacks,
                               std::chrono::milliseconds rescanInterval)
    : monitor_(std::move(monitor)), callbacks_(std::move(callbacks)) {
    if (monitor_ && monitor_->fd() >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(monitor_->fd(), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { drain(); });
    }
    rescan_ = std::make_unique<QTimer>();
    rescan_->setInterval(static_cast<int>(rescanInterval.count()));
    QObject::connect(rescan_.get(), &QTimer::timeout, [this] {
        if (callbacks_.rescanFindsKeyboard && callbacks_.rescanFindsKeyboard() && callbacks_.arrival) {
            callbacks_.arrival();
        }
    });
    rescan_->start();
}

HotplugWatcher::~HotplugWatcher() = default;

void HotplugWatcher::drain() {
    for (HotplugEvent e : monitor_->takeEvents()) {
        if (e == HotplugEvent::Arrival && callbacks_.arrival) callbacks_.arrival();
        if (e == HotplugEvent::Removal && callbacks_.removal) callbacks_.removal();
    }
}

}  // namespace orvane
