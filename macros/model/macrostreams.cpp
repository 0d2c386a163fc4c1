#include "macros/model/macrostreams.h"

#include <algorithm>

#include "keyboardstate/keylabels.h"

namespace orvane {
namespace {

using Stream = std::array<std::uint8_t, kMacroStreamSize>;

// Opens a gap of n zero bytes at p; the last n bytes fall off (the caller has
// made sure they are free).
void openGap(Stream& s, std::size_t p, std::size_t n) {
    std::copy_backward(s.begin() + static_cast<std::ptrdiff_t>(p),
                       s.end() - static_cast<std::ptrdiff_t>(n), s.end());
    std::fill_n(s.begin() + static_cast<std::ptrdiff_t>(p), n, 0);
}

void closeGap(Stream& s, std::size_t p, std::size_t n) {
    std::copy(s.begin() + static_cast<std::ptrdiff_t>(p + n), s.end(),
              s.begin() + static_cast<std::ptrdiff_t>(p));
    std::fill(s.end() - static_cast<std::ptrdiff_t>(n), s.end(), 0);
}

unsigned cappedPause(unsigned ms) { return std::min(ms, kMaxPauseMs); }

std::uint8_t delayFieldFor(unsigned ms) {
    ms = cappedPause(ms);
    if (ms <= 1) return kNoPauseField;
    return ms < kLongFormField ? static_cast<std::uint8_t>(ms) : kLongFormField;
}

// Whether an offset is where an event starts or the stream ends; any other
// offset would split an event.
bool isBoundary(const MacroStreams& streams, std::size_t offset) {
    std::size_t p = 0;
    while (p < offset) {
        const auto event = macroEventAt(streams.hostView(), p);
        if (!event) return false;
        p = event->end();
    }
    return p == offset;
}

std::optional<MacroEvent> eventStartingAt(const MacroStreams& streams, std::size_t offset) {
    if (!isBoundary(streams, offset)) return std::nullopt;
    return macroEventAt(streams.hostView(), offset);
}

}  // namespace

std::size_t macroEventSizeForPause(unsigned pauseMs) {
    return delayFieldFor(pauseMs) == kLongFormField ? kLongEventSize : kShortEventSize;
}

std::optional<std::size_t> appendMacroEvent(MacroStreams& streams, bool released, unsigned pauseMs,
                                            std::uint8_t deviceCode, std::uint8_t hostCode) {
    const std::uint8_t field = delayFieldFor(pauseMs);
    const std::size_t size = field == kLongFormField ? kLongEventSize : kShortEventSize;
    const std::size_t offset = streams.end();
    if (hostCode == 0 || offset + size > kMacroStreamSize) return std::nullopt;
    const std::uint8_t type = macroEventType(released, field);
    const unsigned ms = cappedPause(pauseMs);
    for (Stream* s : {&streams.device, &streams.host}) {
        (*s)[offset] = type;
        if (size == kLongEventSize) {
            (*s)[offset + 2] = static_cast<std::uint8_t>(ms >> 8);
            (*s)[offset + 3] = static_cast<std::uint8_t>(ms & 0xFF);
        }
    }
    streams.device[offset + 1] = deviceCode;
    streams.host[offset + 1] = hostCode;
    return offset + size;
}

bool insertShortMacroEvent(MacroStreams& streams, std::size_t offset, bool released,
                           std::uint8_t deviceCode, std::uint8_t hostCode) {
    const std::size_t end = streams.end();
    if (hostCode == 0 || end + kShortEventSize > kMacroStreamSize) return false;
    if (offset > end || !isBoundary(streams, offset)) return false;
    openGap(streams.device, offset, kShortEventSize);
    openGap(streams.host, offset, kShortEventSize);
    const std::uint8_t type = macroEventType(released, kNoPauseField);
    streams.device[offset] = type;
    streams.host[offset] = type;
    streams.device[offset + 1] = deviceCode;
    streams.host[offset + 1] = hostCode;
    return true;
}

bool removeMacroEvent(MacroStreams& streams, std::size_t offset) {
    const auto event = eventStartingAt(streams, offset);
    if (!event) return false;
    closeGap(streams.device, offset, event->size);
    closeGap(streams.host, offset, event->size);
    return true;
}

bool setMacroEventPause(MacroStreams& streams, std::size_t offset, unsigned pauseMs) {
    const auto event = eventStartingAt(streams, offset);
    if (!event) return false;
    const std::uint8_t field = delayFieldFor(pauseMs);
    const bool wantLong = field == kLongFormField;
    const bool isLong = event->size == kLongEventSize;
    if (wantLong && !isLong) {
        if (streams.room() < kShortEventSize) return false;
        openGap(streams.device, offset + 2, kShortEventSize);
        openGap(streams.host, offset + 2, kShortEventSize);
    } else if (!wantLong && isLong) {
        closeGap(streams.device, offset + 2, kShortEventSize);
        closeGap(streams.host, offset + 2, kShortEventSize);
    }
    const unsigned ms = cappedPause(pauseMs);
    for (Stream* s : {&streams.device, &streams.host}) {
        (*s)[offset] = macroEventType(event->released, field);
        if (wantLong) {
            (*s)[offset + 2] = static_cast<std::uint8_t>(ms >> 8);
            (*s)[offset + 3] = static_cast<std::uint8_t>(ms & 0xFF);
        }
    }
    return true;
}

void normaliseMacroStreams(MacroStreams& streams) {
    // An empty stream stays all zero rather than gaining a stray type byte.
    if (!macroEventAt(streams.hostView(), 0)) return;
    setMacroEventPause(streams, 0, 1);
}

bool macroStreamsAligned(const MacroStreams& streams) {
    for (const MacroEvent& event : macroEvents(streams.hostView())) {
        if (streams.device[event.offset] != streams.host[event.offset]) return false;
        if (event.size == kLongEventSize &&
            (streams.device[event.offset + 2] != streams.host[event.offset + 2] ||
             streams.device[event.offset + 3] != streams.host[event.offset + 3])) {
            return false;
        }
    }
    return true;
}

void repairMacroStreams(MacroStreams& streams) {
    const std::size_t end = streams.end();
    std::fill(streams.host.begin() + static_cast<std::ptrdiff_t>(end), streams.host.end(), 0);
    std::fill(streams.device.begin() + static_cast<std::ptrdiff_t>(end), streams.device.end(), 0);
    if (macroStreamsAligned(streams)) return;
    for (const MacroEvent& event : macroEvents(streams.hostView())) {
        std::copy_n(streams.host.begin() + static_cast<std::ptrdiff_t>(event.offset), event.size,
                    streams.device.begin() + static_cast<std::ptrdiff_t>(event.offset));
        streams.device[event.offset + 1] = keyUsage(event.code);
    }
}

}  // namespace orvane
