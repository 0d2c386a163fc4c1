// The real keyboard through hidapi (hidraw backend) and a libudev monitor.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "platform/hid/hidbackend.h"

namespace orvane {

class HidapiBackend final : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<HidInterface> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& node) override;
    std::unique_ptr<HotplugMonitor> watchHotplug() override;

private:
    std::mutex mutex_;
    std::map<std::string, bool> severalCollections_;  // per node, from the last enumeration
};

}  // namespace orvane
