// The two parallel event streams of a macro and the edits applied to both at
// the same offset, so the device stream always has the host stream's layout.
//
// Every edit checks its room first: a stream never grows past its 190 bytes,
// an edit that would need more is refused (returns false) and changes nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "macros/model/macroevents.h"

namespace orvane {

struct MacroStreams {
    std::array<std::uint8_t, kMacroStreamSize> device{};
    std::array<std::uint8_t, kMacroStreamSize> host{};

    MacroStreamView hostView() const { return MacroStreamView(host); }
    std::size_t end() const { return macroStreamEnd(hostView()); }
    // Bytes still free behind the last event.
    std::size_t room() const { return kMacroStreamSize - end(); }
};

// Appends an event behind the last one (recording). Returns the new end, or
// nothing when the event does not fit (host code 0 is no event either).
std::optional<std::size_t> appendMacroEvent(MacroStreams& streams, bool released, unsigned pauseMs,
                                            std::uint8_t deviceCode, std::uint8_t hostCode);

// The event form for a pause: D = 1 for none (and for below 1 ms), D = pause
// below 127 ms, else the long form. Pauses are capped at 60000 ms.
std::size_t macroEventSizeForPause(unsigned pauseMs);

// Inserts a 2-byte event without pause at an event boundary; later events
// move up by 2. Offsets inside an event are refused like a full stream.
bool insertShortMacroEvent(MacroStreams& streams, std::size_t offset, bool released,
                           std::uint8_t deviceCode, std::uint8_t hostCode);

// Removes the event at an offset (its whole 2 or 4 bytes); the freed bytes
// at the end become 0.
bool removeMacroEvent(MacroStreams& streams, std::size_t offset);

// Gives the event at an offset a pause: below 127 ms the short form (a long
// event loses its two delay bytes), from 127 ms the long form (a short event
// gains two). 0 and 1 mean no pause.
bool setMacroEventPause(MacroStreams& streams, std::size_t offset, unsigned pauseMs);

// The first event plays without a pause. A long first event loses its delay
// bytes too, so the bytes behind it are never read as an event.
void normaliseMacroStreams(MacroStreams& streams);

// Whether the device stream has the host stream's layout: the same type and
// pause bytes at the same offsets (code bytes may differ).
bool macroStreamsAligned(const MacroStreams& streams);

// Makes a pair read from a file safe to edit: the bytes behind the host
// stream's end become 0 in both streams, and a device stream whose layout
// differs is rebuilt from the host stream with the key label table's codes.
void repairMacroStreams(MacroStreams& streams);

}  // namespace orvane
