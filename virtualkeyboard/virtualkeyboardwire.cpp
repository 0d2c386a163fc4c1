// The keyboard's side of the wire: decoding frames and data reports, encoding
// replies, data and event reports.
#include <algorithm>

#include "virtualkeyboard/virtualkeyboard.h"

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kChunk = 64;

bool checksumValid(std::span<const std::uint8_t, 9> frame) {
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i <= 8; ++i) sum = static_cast<std::uint8_t>(sum + frame[i]);
    return sum == 0xFF;
}

}  // namespace

int VirtualKeyboard::commandFeatureOut(unsigned generation, std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!aliveLocked(generation) || !countTransferLocked()) return -1;
    recordLocked(TranscriptEntry::Kind::FeatureOut, report);
    // A frame of the wrong size or with a bad checksum is ignored, as the
    // keyboard would: it is taken off the wire but does nothing.
    if (report.size() == 9 && report[0] == 0 && checksumValid(report.first<9>())) {
        handleFrameLocked(report.first<9>());
    }
    return static_cast<int>(report.size());
}

int VirtualKeyboard::commandFeatureIn(unsigned generation, std::span<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!aliveLocked(generation) || !countTransferLocked()) return -1;
    const std::size_t n = std::min(report.size(), reply_.size());
    for (std::size_t i = 0; i < n; ++i) report[i] = garbage_ ? noiseLocked() : reply_[i];
    recordLocked(TranscriptEntry::Kind::FeatureIn, report.first(n));
    return static_cast<int>(n);
}

int VirtualKeyboard::commandDataOut(unsigned generation, std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!aliveLocked(generation) || !countTransferLocked()) return -1;
    recordLocked(TranscriptEntry::Kind::DataOut, report);
    if (pendingWrite_.block != Block::None && report.size() == 65 && report[0] == 0) {
        pendingWrite_.staging.insert(pendingWrite_.staging.end(), report.begin() + 1, report.end());
        if (++pendingWrite_.received == pendingWrite_.reports) finishWriteLocked();
    }
    return static_cast<int>(report.size());
}

int VirtualKeyboard::commandDataIn(unsigned generation, std::span<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!aliveLocked(generation) || !countTransferLocked()) return -1;
    // Nothing announced: a read that times out (at once, nothing will come).
    if (dataIn_.empty()) return 0;
    auto chunk = dataIn_.front();
    dataIn_.pop_front();
    if (garbage_) std::generate(chunk.begin() + 1, chunk.end(), [this] { return noiseLocked(); });
    const std::size_t n = std::min(report.size(), chunk.size());
    std::copy_n(chunk.begin(), n, report.begin());
    recordLocked(TranscriptEntry::Kind::DataIn, report.first(n));
    return static_cast<int>(n);
}

int VirtualKeyboard::eventIn(unsigned generation, std::span<std::uint8_t> report, int timeoutMs) {
    std::unique_lock lock(mutex_);
    ++eventReads_;
    takePressRequestsLocked();
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        if (!aliveLocked(generation)) return -1;
        const auto now = Clock::now();
        if (!events_.empty() && events_.front().due <= now) {
            const auto event = events_.front().report;
            events_.pop_front();
            const std::size_t n = std::min(report.size(), event.size());
            std::copy_n(event.begin(), n, report.begin());
            recordLocked(TranscriptEntry::Kind::EventIn, report.first(n));
            return static_cast<int>(n);
        }
        if (now >= deadline) return 0;
        auto until = deadline;
        if (!events_.empty()) until = std::min(until, events_.front().due);
        eventsChanged_.wait_until(lock, until);
    }
}

void VirtualKeyboard::queueBlockLocked(std::span<const std::uint8_t> block, std::size_t reports) {
    dataIn_.clear();  // a new block read replaces whatever was left unread
    if (silentBlocks_) return;
    for (std::size_t i = 0; i < reports; ++i) {
        std::array<std::uint8_t, 65> chunk{};
        const std::size_t offset = i * kChunk;
        if (offset < block.size()) {
            const std::size_t count = std::min(kChunk, block.size() - offset);
            std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(offset), count, chunk.begin() + 1);
        }
        dataIn_.push_back(chunk);
    }
}

void VirtualKeyboard::finishWriteLocked() {
    std::span<std::uint8_t> target;
    switch (pendingWrite_.block) {
        case Block::KeyTable: target = memory_.DeviceKeyTable; break;
        case Block::KeyMask: target = memory_.KeyEnableMask; break;
        case Block::MacroSlot: target = macroSlot(memory_, pendingWrite_.index); break;
        case Block::ColorTable: target = keyColorTable(memory_, pendingWrite_.index); break;
        case Block::None: return;
    }
    std::copy_n(pendingWrite_.staging.begin(), target.size(), target.begin());
    pendingWrite_ = {};
    saveLocked();
    acknowledgeLocked();
}

void VirtualKeyboard::handleFrameLocked(std::span<const std::uint8_t, 9> f) {
    const std::uint8_t code = f[1];
    // A query's reply echoes the code; block commands' replies are echoes too.
    reply_ = {0, code, 0, 0, 0, 0, 0, 0, 0};
    auto seal = [this] {
        std::uint8_t sum = 0;
        for (std::size_t i = 1; i <= 7; ++i) sum = static_cast<std::uint8_t>(sum + reply_[i]);
        reply_[8] = static_cast<std::uint8_t>(0xFF - sum);
    };
    auto expectWrite = [this](Block block, std::size_t index, std::size_t reports) {
        pendingWrite_ = {block, index, reports, 0, {}};
    };
    switch (code) {
        case 0x80: reply_[2] = firmware_[0]; reply_[3] = firmware_[1]; break;
        case 0x81: reply_[2] = memory_.ReportRate; break;
        case 0x01: memory_.ReportRate = f[2]; saveLocked(); acknowledgeLocked(); break;
        case 0x84: reply_[2] = memory_.ResponseTime; break;
        case 0x04: memory_.ResponseTime = f[2]; saveLocked(); acknowledgeLocked(); break;
        case 0x88: {
            const LedEffect& e = memory_.ledEffect;
            reply_[3] = e.LEDEffectMode;
            reply_[4] = e.LEDEffectSpeed;
            reply_[5] = e.LEDEffectBrightness;
            reply_[6] = e.LEDEffectColor;
            reply_[7] = e.LEDEffectDirection;
            break;
        }
        case 0x08:
            if (f[2] == 1) {  // begin: the effect is staged, lights dimmed
                stagedEffect_ = {f[3], f[4], f[5], f[6], f[7]};
                acknowledgeLocked();
            } else if (f[2] == 2) {  // commit
                memory_.ledEffect = {f[3], f[4], f[5], f[6], f[7]};
                saveLocked();
            }
            break;
        case 0x89: reply_[2] = memory_.GameMode; break;
        case 0x09:
            if (memory_.GameMode != f[2]) {
                memory_.GameMode = f[2];
                saveLocked();
            }
            acknowledgeLocked();
            break;
        case 0x94:
            if (f[3] < kPaletteColorCount) {
                reply_[3] = f[3];
                std::copy_n(paletteColor(memory_, f[3]).begin(), 3, reply_.begin() + 4);
            }
            break;
        case 0x14:
            if (f[3] < kPaletteColorCount) {
                std::copy_n(f.begin() + 4, 3, paletteColor(memory_, f[3]).begin());
                saveLocked();
                if (f[3] == kPaletteColorCount - 1) acknowledgeLocked();  // the palette's last colour ends the group
            }
            break;
        case 0x8D: queueBlockLocked(memory_.DeviceKeyTable, 8); break;
        case 0x0D: if (f[4] == 8) expectWrite(Block::KeyTable, 0, 8); break;
        case 0x8E: queueBlockLocked(memory_.KeyEnableMask, 1); break;
        case 0x0E: if (f[4] == kKeyEnableMaskSize) expectWrite(Block::KeyMask, 0, 1); break;
        case 0x91: if (f[3] < kMacroSlotCount) queueBlockLocked(macroSlot(memory_, f[3]), 3); break;
        case 0x11: if (f[3] < kMacroSlotCount && f[4] == 3) expectWrite(Block::MacroSlot, f[3], 3); break;
        case 0x92: if (f[3] < kKeyColorTableCount) queueBlockLocked(keyColorTable(memory_, f[3]), 8); break;
        case 0x12: if (f[3] < kKeyColorTableCount && f[4] == 8) expectWrite(Block::ColorTable, f[3], 8); break;
        case 0x13:
            if (f[2] == 0xFF) {
                memory_ = factoryMemory();
                saveLocked();
            }
            break;
        default: break;
    }
    seal();
}

}  // namespace orvane
