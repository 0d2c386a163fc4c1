#include "device/commandhandle.h"

namespace orvane {

CommandHandle::CommandHandle(Sleeper& sleeper) : sleeper_(sleeper) {}

void CommandHandle::attach(std::unique_ptr<HidDevice> device) {
    std::lock_guard lock(io_);
    device_ = std::move(device);
    lost_ = false;
}

void CommandHandle::close() {
    std::unique_ptr<HidDevice> closing;
    std::lock_guard lock(io_);
    closing = std::move(device_);
    closing.reset();  // hid_close under the lock: no transfer can be inside it
}

bool CommandHandle::isOpen() const {
    std::lock_guard lock(io_);
    return device_ != nullptr;
}

bool CommandHandle::closeIfGone() {
    std::function<void()> onLoss;
    {
        std::lock_guard lock(io_);
        if (!device_) return true;
        if (!device_->gone()) return false;
        device_.reset();
        lost_ = true;
        onLoss = lossHandler_;
    }
    if (onLoss) onLoss();
    return true;
}

void CommandHandle::setObserver(std::function<void(Transfer, std::span<const std::uint8_t>)> observer) {
    std::lock_guard lock(io_);
    observer_ = std::move(observer);
}

void CommandHandle::setLossHandler(std::function<void()> handler) {
    std::lock_guard lock(io_);
    lossHandler_ = std::move(handler);
}

template <typename Call>
bool CommandHandle::transfer(Transfer kind, std::span<const std::uint8_t> shown, std::size_t expected,
                             Call&& call) {
    std::function<void()> onLoss;
    bool ok = false;
    {
        std::lock_guard lock(io_);
        if (!device_) {
            ++failures_;
            return false;
        }
        const int n = call(*device_);
        ok = n >= 0 && static_cast<std::size_t>(n) >= expected;
        if (n > 0 && observer_) observer_(kind, shown);
        if (!ok) {
            ++failures_;
            if (n < 0 && device_->gone()) {
                device_.reset();
                lost_ = true;
                onLoss = lossHandler_;
            }
        }
    }
    if (onLoss) onLoss();
    return ok;
}

bool CommandHandle::sendFeature(const Frame& frame) {
    return transfer(Transfer::FeatureOut, frame, 1,
                    [&](HidDevice& d) { return d.sendFeatureReport(frame); });
}

bool CommandHandle::getFeature(Frame& reply) {
    reply.fill(0);
    // The reply counts when at least the bytes the commands look at came back.
    return transfer(Transfer::FeatureIn, reply, 8,
                    [&](HidDevice& d) { return d.getFeatureReport(reply); });
}

bool CommandHandle::writeReport(const DataReport& report) {
    return transfer(Transfer::DataOut, report, report.size(),
                    [&](HidDevice& d) { return d.write(report); });
}

CommandHandle::ReadResult CommandHandle::readReport(DataReport& report) {
    DataReport incoming{};
    int got = -1;
    const bool ok = transfer(Transfer::DataIn, incoming, incoming.size(), [&](HidDevice& d) {
        got = d.read(incoming, kDataReadTimeoutMs);
        return got;
    });
    if (ok) {
        report = incoming;
        return ReadResult::Report;
    }
    return got == 0 ? ReadResult::Nothing : ReadResult::Failed;
}

}  // namespace orvane
