#include "platform/hid/hotplugmonitor.h"

namespace orvane {

std::vector<HotplugEvent> foldHotplugEvents(const std::vector<HotplugEvent>& events) {
    std::vector<HotplugEvent> folded;
    for (HotplugEvent e : events) {
        if (folded.empty() || folded.back() != e) folded.push_back(e);
    }
    return folded;
}

}  // namespace orvane
