// The macro event encoding and the walk over a 190-byte event stream.
//
// An event is 2 bytes (type, code) or 4 bytes (type, code, pause high, pause
// low). Bit 7 of the type marks a release; bits 0..6 are the delay field D:
// 1 no pause, 2..126 a pause of D ms, 127 the long form with a 16-bit pause.
// A stream ends at the first event whose code byte is 0, at the end of the
// 190 bytes, or at an event that would reach past them (only a file written
// elsewhere can hold one): such a torn event is not part of the stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keyboardstate/settingsimage.h"

namespace orvane {

using MacroStreamView = std::span<const std::uint8_t, kMacroStreamSize>;

inline constexpr std::uint8_t kReleaseBit = 0x80;
inline constexpr std::uint8_t kDelayBits = 0x7F;
inline constexpr std::uint8_t kNoPauseField = 1;
inline constexpr std::uint8_t kLongFormField = 127;
inline constexpr unsigned kMaxPauseMs = 60000;
inline constexpr std::size_t kShortEventSize = 2;
inline constexpr std::size_t kLongEventSize = 4;

// Host and device codes of the three mouse buttons (they are the same).
inline constexpr std::uint8_t kMouseLeftCode = 0xF0;
inline constexpr std::uint8_t kMouseRightCode = 0xF1;
inline constexpr std::uint8_t kMouseMiddleCode = 0xF2;

struct MacroEvent {
    std::size_t offset = 0;
    std::size_t size = kShortEventSize;  // 2 or 4
    bool released = false;
    std::uint8_t delayField = kNoPauseField;
    unsigned pauseMs = 0;  // 0 when the event has no pause
    std::uint8_t code = 0;

    // A delay item is shown before the key item when D > 1.
    bool hasDelayItem() const { return delayField > 1; }
    std::size_t itemCount() const { return hasDelayItem() ? 2 : 1; }
    std::size_t end() const { return offset + size; }
};

// The event present at an offset, or nothing when the stream ends there.
std::optional<MacroEvent> macroEventAt(MacroStreamView stream, std::size_t offset);

// Every event of the stream, in order.
std::vector<MacroEvent> macroEvents(MacroStreamView stream);

// Offset just after the stream's last event (0 for an empty stream).
std::size_t macroStreamEnd(MacroStreamView stream);

// Number of display items of the stream.
std::size_t macroItemCount(MacroStreamView stream);

// The item walk: the event whose display items include item `index`, or
// nothing past the last item.
struct MacroItemRef {
    MacroEvent event;
    std::size_t firstItem = 0;  // start index of the event
    bool isDelayItem = false;   // the item is the event's delay item
    std::size_t endItem() const { return firstItem + event.itemCount(); }
};
std::optional<MacroItemRef> macroItemAt(MacroStreamView stream, std::size_t index);

// Byte offset of the event whose first item is `index`; the stream end when
// index equals the item count; nothing when no event starts there.
std::optional<std::size_t> macroOffsetOfItem(MacroStreamView stream, std::size_t index);

// Type byte of an event.
constexpr std::uint8_t macroEventType(bool released, std::uint8_t delayField) {
    return static_cast<std::uint8_t>((released ? kReleaseBit : 0) | (delayField & kDelayBits));
}

// Display texts: "%d ms", "%s dn", "%s up" with the key label of a host code.
std::u16string delayItemText(unsigned ms);
std::u16string keyItemText(std::uint8_t hostCode, bool released);
// The panel tells delay items from key items by " ms" in the text.
bool isDelayItemText(std::u16string_view text);

// The display items of a host stream, in stream order.
std::vector<std::u16string> macroDisplayItems(MacroStreamView hostStream);

}  // namespace orvane
