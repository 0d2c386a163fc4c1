#include "platform/hid/hidapibackend.h"

#include <hidapi.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <mutex>

#include "platform/hid/hidpaths.h"
#include "platform/hid/udevmonitor.h"

namespace orvane {
namespace {

// hid_init/hid_exit are process-wide; count the backends that need them.
std::mutex initMutex;
int initCount = 0;

// Whether reports on the node start with their id, from its report
// descriptor; nothing when sysfs does not show the descriptor.
std::optional<bool> readsCarryReportId(const std::string& node) {
    const auto name = std::filesystem::path(node).filename();
    std::ifstream in(std::filesystem::path("/sys/class/hidraw") / name / "device" / "report_descriptor",
                     std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.empty()) return std::nullopt;
    return descriptorUsesReportIds(bytes);
}

class HidapiDevice final : public HidDevice {
public:
    HidapiDevice(hid_device* handle, std::string node, bool numbered)
        : handle_(handle), node_(std::move(node)), numbered_(numbered) {}
    ~HidapiDevice() override { hid_close(handle_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    int sendFeatureReport(std::span<const std::uint8_t> report) override {
        return hid_send_feature_report(handle_, report.data(), report.size());
    }
    int getFeatureReport(std::span<std::uint8_t> report) override {
        return hid_get_feature_report(handle_, report.data(), report.size());
    }
    int write(std::span<const std::uint8_t> report) override {
        return hid_write(handle_, report.data(), report.size());
    }
    int read(std::span<std::uint8_t> report, int timeoutMs) override {
        if (report.empty()) return -1;
        if (numbered_) return hid_read_timeout(handle_, report.data(), report.size(), timeoutMs);
        // hidraw leaves the id out for an interface without numbered reports;
        // callers keep the id byte, so it is put back in front.
        const int n = hid_read_timeout(handle_, report.data() + 1, report.size() - 1, timeoutMs);
        if (n <= 0) return n;
        report[0] = 0;
        return n + 1;
    }
    bool gone() const override {
        struct stat st {};
        return ::stat(node_.c_str(), &st) != 0 && errno == ENOENT;
    }

private:
    hid_device* handle_;
    std::string node_;
    bool numbered_;
};

bool isHidrawNode(const std::string& node) {
    if (!isHidrawNodeName(node)) return false;
    struct stat st {};
    if (::stat(node.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path("/sys/class/hidraw") /
                                       std::filesystem::path(node).filename(), ec);
}

}  // namespace

HidapiBackend::HidapiBackend() {
    std::lock_guard lock(initMutex);
    if (initCount++ == 0) hid_init();
}

HidapiBackend::~HidapiBackend() {
    std::lock_guard lock(initMutex);
    if (--initCount == 0) hid_exit();
}

std::vector<HidInterface> HidapiBackend::enumerate() {
    std::vector<HidCollectionEntry> entries;
    hid_device_info* list = hid_enumerate(kKeyboardVendorId, kKeyboardProductId);
    for (hid_device_info* d = list; d != nullptr; d = d->next) {
        if (d->path == nullptr) continue;
        entries.push_back({d->path, d->interface_number});
    }
    hid_free_enumeration(list);
    std::map<std::string, int> collections;
    for (const auto& e : entries) ++collections[e.node];
    {
        std::lock_guard lock(mutex_);
        for (const auto& [node, count] : collections) severalCollections_[node] = count > 1;
    }
    return describeInterfaces(entries, kKeyboardVendorId, kKeyboardProductId);
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& node) {
    // hidapi 0.13 crashes when handed a node that is not a hidraw device
    // (it frees an uninitialised pointer after the descriptor ioctl fails),
    // so only real hidraw character devices get that far.
    if (!isHidrawNode(node)) return nullptr;
    hid_device* handle = hid_open_path(node.c_str());
    if (handle == nullptr) return nullptr;
    // An interface with several top-level collections must number its
    // reports, which is the fallback when the descriptor cannot be read.
    bool fallback = false;
    {
        std::lock_guard lock(mutex_);
        const auto it = severalCollections_.find(node);
        fallback = it != severalCollections_.end() && it->second;
    }
    return std::make_unique<HidapiDevice>(handle, node, readsCarryReportId(node).value_or(fallback));
}

std::unique_ptr<HotplugMonitor> HidapiBackend::watchHotplug() {
    return UdevMonitor::create();
}

}  // namespace orvane
