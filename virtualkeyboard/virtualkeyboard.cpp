#include "virtualkeyboard/virtualkeyboard.h"

#include <algorithm>
#include <fstream>

#include "keyboardstate/keytables.h"
#include "settings/atomicfile.h"

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

// The state file: the keyboard's memory, then its firmware version.
struct StateFile {
    MouseData memory;
    std::array<std::uint8_t, 2> firmware;
};
static_assert(sizeof(StateFile) == kMouseDataSize + 2);



}  // namespace

MouseData VirtualKeyboard::factoryMemory() {
    MouseData m{};
    m.ReportRate = 1;
    m.ResponseTime = 1;
    m.ledEffect = {1, 5, 50, 1, 1};  // speed byte 5: the user sees 5
    const std::uint8_t palette[7][3] = {{0xFF, 0, 0},    {0xFF, 0x80, 0}, {0xFF, 0xFF, 0}, {0, 0xFF, 0},
                                        {0, 0xFF, 0xFF}, {0, 0, 0xFF},    {0xFF, 0, 0xFF}};
    for (std::size_t i = 0; i < 7; ++i) std::copy_n(palette[i], 3, m.PaletteColors.begin() + 3 * i);
    m.GameMode = 0;
    std::copy(DefaultDeviceKeyTable.begin(), DefaultDeviceKeyTable.end(), m.DeviceKeyTable.begin());
    m.KeyEnableMask.fill(0xFF);
    // Each colour table starts as one colour on every key: red, green, blue, white, off.
    const std::uint8_t tables[5][3] = {{0xFF, 0, 0}, {0, 0xFF, 0}, {0, 0, 0xFF}, {0xFF, 0xFF, 0xFF}, {0, 0, 0}};
    for (std::size_t t = 0; t < kKeyColorTableCount; ++t) {
        auto table = keyColorTable(m, t);
        for (std::uint16_t offset : KeyPositionEntryMap) {
            table[offset] = 0;
            std::copy_n(tables[t], 3, table.begin() + offset + 1);
        }
    }
    return m;
}

VirtualKeyboard::VirtualKeyboard(std::filesystem::path stateFile) : stateFile_(std::move(stateFile)) {
    memory_ = factoryMemory();
    if (!stateFile_.empty()) {
        StateFile file{};
        const auto read = readFilePrefix(stateFile_, writableBytesOf(file));
        // A short or absent file is not trusted: the keyboard starts from factory state.
        if (read && *read == sizeof(StateFile)) {
            memory_ = file.memory;
            firmware_ = file.firmware;
        } else {
            saveLocked();
        }
    }
}

// ---- State ----------------------------------------------------------------

MouseData VirtualKeyboard::memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

void VirtualKeyboard::setMemory(const MouseData& memory) {
    std::lock_guard lock(mutex_);
    memory_ = memory;
    saveLocked();
}

std::array<std::uint8_t, 2> VirtualKeyboard::firmwareVersion() const {
    std::lock_guard lock(mutex_);
    return firmware_;
}

void VirtualKeyboard::setFirmwareVersion(std::uint8_t major, std::uint8_t minor) {
    std::lock_guard lock(mutex_);
    firmware_ = {major, minor};
    saveLocked();
}

void VirtualKeyboard::saveLocked() {
    if (stateFile_.empty()) return;
    StateFile file{memory_, firmware_};
    writeFileAtomically(stateFile_, {bytesOf(file)});
}

// ---- Plug -------------------------------------------------------------------

void VirtualKeyboard::plug() {
    std::lock_guard lock(mutex_);
    if (plugged_) return;
    plugged_ = true;
    recordLocked(TranscriptEntry::Kind::Plug, {});
    for (auto& [id, listener] : hotplugListeners_) listener(HotplugEvent::Arrival);
}

void VirtualKeyboard::unplug() {
    std::lock_guard lock(mutex_);
    unplugLocked();
}

void VirtualKeyboard::unplugLocked() {
    if (!plugged_) return;
    plugged_ = false;
    ++generation_;
    dataIn_.clear();
    events_.clear();
    pendingWrite_ = {};
    recordLocked(TranscriptEntry::Kind::Unplug, {});
    eventsChanged_.notify_all();
    for (auto& [id, listener] : hotplugListeners_) listener(HotplugEvent::Removal);
}

bool VirtualKeyboard::plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

unsigned VirtualKeyboard::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

bool VirtualKeyboard::aliveLocked(unsigned generation) const { return plugged_ && generation == generation_; }

// ---- Faults -----------------------------------------------------------------

void VirtualKeyboard::setAcknowledging(bool on) {
    std::lock_guard lock(mutex_);
    acknowledging_ = on;
}

void VirtualKeyboard::setAcknowledgementDelay(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    ackDelay_ = delay;
}

void VirtualKeyboard::setGarbageReplies(bool on) {
    std::lock_guard lock(mutex_);
    garbage_ = on;
}

void VirtualKeyboard::setSilentBlocks(bool on) {
    std::lock_guard lock(mutex_);
    silentBlocks_ = on;
}

void VirtualKeyboard::setOpenRefused(bool on) {
    std::lock_guard lock(mutex_);
    openRefused_ = on;
}

bool VirtualKeyboard::openRefused() const {
    std::lock_guard lock(mutex_);
    return openRefused_;
}

void VirtualKeyboard::setAcknowledgementFault(AckFault fault, std::optional<unsigned> index,
                                              std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    ackFault_ = fault;
    ackFaultIndex_ = index;
    ackFaultDelay_ = delay;
    acknowledgements_ = 0;
}

unsigned VirtualKeyboard::acknowledgements() const {
    std::lock_guard lock(mutex_);
    return acknowledgements_;
}

void VirtualKeyboard::unplugAfterTransfers(std::optional<unsigned> n) {
    std::lock_guard lock(mutex_);
    unplugAfter_ = n;
    transfers_ = 0;
}

unsigned VirtualKeyboard::transfers() const {
    std::lock_guard lock(mutex_);
    return transfers_;
}

bool VirtualKeyboard::countTransferLocked() {
    if (unplugAfter_ && transfers_ >= *unplugAfter_) {
        unplugAfter_.reset();
        unplugLocked();
        return false;
    }
    ++transfers_;
    return true;
}

std::uint8_t VirtualKeyboard::noiseLocked() {
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    return static_cast<std::uint8_t>(noise_);
}

// ---- Events -----------------------------------------------------------------

bool VirtualKeyboard::pressKey(std::size_t slot) {
    std::lock_guard lock(mutex_);
    return pressKeyLocked(slot);
}

bool VirtualKeyboard::pressKeyLocked(std::size_t slot) {
    if (!plugged_ || slot >= kDeviceSlotCount) return false;
    const auto entry = deviceKeyEntry(memory_, slot * 4);
    if (entry[0] != KIND_HOST) return false;
    queueEventLocked({4, 1, entry[2], 0}, std::chrono::milliseconds(0));
    return true;
}

void VirtualKeyboard::takePressRequestsLocked() {
    if (stateFile_.empty()) return;
    const std::filesystem::path requests = stateFile_.parent_path() / kPressFileName;
    std::error_code ec;
    if (!std::filesystem::exists(requests, ec)) return;
    std::ifstream in(requests);
    std::vector<unsigned long> slots;
    for (unsigned long slot = 0; in >> slot;) slots.push_back(slot);
    in.close();
    std::filesystem::remove(requests, ec);
    for (unsigned long slot : slots) pressKeyLocked(slot);
}

void VirtualKeyboard::sendEventReport(std::array<std::uint8_t, 4> report) {
    std::lock_guard lock(mutex_);
    if (plugged_) queueEventLocked(report, std::chrono::milliseconds(0));
}

std::size_t VirtualKeyboard::pendingEvents() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

unsigned VirtualKeyboard::eventReads() const {
    std::lock_guard lock(mutex_);
    return eventReads_;
}

void VirtualKeyboard::queueEventLocked(std::array<std::uint8_t, 4> report, std::chrono::milliseconds delay) {
    events_.push_back({report, Clock::now() + delay});
    eventsChanged_.notify_all();
}

void VirtualKeyboard::acknowledgeLocked() {
    if (!acknowledging_) return;
    const unsigned number = acknowledgements_++;
    const bool faulty = ackFault_ != AckFault::None && (!ackFaultIndex_ || *ackFaultIndex_ == number);
    const AckFault fault = faulty ? ackFault_ : AckFault::None;
    if (fault == AckFault::Missing) return;
    const auto delay = fault == AckFault::Late ? ackFaultDelay_ : ackDelay_;
    queueEventLocked({4, 4, 0, 0}, delay);
    if (fault == AckFault::Twice) queueEventLocked({4, 4, 0, 0}, delay);
}

// ---- Transcript -------------------------------------------------------------

std::vector<TranscriptEntry> VirtualKeyboard::transcript() const {
    std::lock_guard lock(mutex_);
    return transcript_;
}

void VirtualKeyboard::clearTranscript() {
    std::lock_guard lock(mutex_);
    transcript_.clear();
    pendingWaits_.clear();
}

void VirtualKeyboard::noteWait(int milliseconds) {
    std::lock_guard lock(mutex_);
    pendingWaits_.push_back(milliseconds);
}

void VirtualKeyboard::recordLocked(TranscriptEntry::Kind kind, std::span<const std::uint8_t> bytes) {
    transcript_.push_back({kind, {bytes.begin(), bytes.end()}, std::move(pendingWaits_), Clock::now()});
    pendingWaits_.clear();
}

// ---- Hot-plug ---------------------------------------------------------------

int VirtualKeyboard::addHotplugListener(std::function<void(HotplugEvent)> listener) {
    std::lock_guard lock(mutex_);
    const int id = nextListenerId_++;
    hotplugListeners_[id] = std::move(listener);
    return id;
}

void VirtualKeyboard::removeHotplugListener(int id) {
    std::lock_guard lock(mutex_);
    hotplugListeners_.erase(id);
}

}  // namespace orvane
