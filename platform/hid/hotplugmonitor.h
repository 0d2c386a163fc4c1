// Arrival and removal of the keyboard, as a pollable file descriptor and a
// queue of events. The udev monitor and the virtual keyboard both feed it.
#pragma once

#include <vector>

namespace orvane {

enum class HotplugEvent { Arrival, Removal };

class HotplugMonitor {
public:
    virtual ~HotplugMonitor() = default;
    // Readable when events are waiting; watch it with poll() or QSocketNotifier.
    virtual int fd() const = 0;
    // Events since the last call, a burst of the same kind folded into one
    // (one keyboard brings several hidraw nodes at once).
    virtual std::vector<HotplugEvent> takeEvents() = 0;
};

// Folds runs of equal events into one, keeping the order of the runs.
std::vector<HotplugEvent> foldHotplugEvents(const std::vector<HotplugEvent>& events);

}  // namespace orvane
