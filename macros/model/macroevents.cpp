#include "macros/model/macroevents.h"

#include <string>

#include "keyboardstate/keylabels.h"

namespace orvane {

std::optional<MacroEvent> macroEventAt(MacroStreamView stream, std::size_t offset) {
    if (offset + kShortEventSize > stream.size()) return std::nullopt;
    if (stream[offset + 1] == 0) return std::nullopt;
    MacroEvent event;
    event.offset = offset;
    event.released = (stream[offset] & kReleaseBit) != 0;
    event.delayField = stream[offset] & kDelayBits;
    event.code = stream[offset + 1];
    if (event.delayField == kLongFormField) {
        event.size = kLongEventSize;
        // A long event torn by the end of the buffer ends the stream.
        if (offset + kLongEventSize > stream.size()) return std::nullopt;
        event.pauseMs = static_cast<unsigned>(stream[offset + 2] << 8 | stream[offset + 3]);
    } else if (event.delayField > 1) {
        event.pauseMs = event.delayField;
    }
    return event;
}

std::vector<MacroEvent> macroEvents(MacroStreamView stream) {
    std::vector<MacroEvent> events;
    std::size_t offset = 0;
    while (auto event = macroEventAt(stream, offset)) {
        events.push_back(*event);
        offset = event->end();
    }
    return events;
}

std::size_t macroStreamEnd(MacroStreamView stream) {
    std::size_t offset = 0;
    while (auto event = macroEventAt(stream, offset)) offset = event->end();
    return offset;
}

std::size_t macroItemCount(MacroStreamView stream) {
    std::size_t items = 0;
    std::size_t offset = 0;
    while (auto event = macroEventAt(stream, offset)) {
        items += event->itemCount();
        offset = event->end();
    }
    return items;
}

std::optional<MacroItemRef> macroItemAt(MacroStreamView stream, std::size_t index) {
    std::size_t items = 0;
    std::size_t offset = 0;
    while (auto event = macroEventAt(stream, offset)) {
        if (index < items + event->itemCount()) {
            MacroItemRef ref{*event, items, event->hasDelayItem() && index == items};
            return ref;
        }
        items += event->itemCount();
        offset = event->end();
    }
    return std::nullopt;
}

std::optional<std::size_t> macroOffsetOfItem(MacroStreamView stream, std::size_t index) {
    std::size_t items = 0;
    std::size_t offset = 0;
    while (items < index) {
        const auto event = macroEventAt(stream, offset);
        if (!event) return std::nullopt;
        items += event->itemCount();
        offset = event->end();
    }
    if (items != index) return std::nullopt;  // index falls on a key item after its delay item
    return offset;
}

std::u16string delayItemText(unsigned ms) {
    const std::string digits = std::to_string(ms);
    return std::u16string(digits.begin(), digits.end()) + u" ms";
}

std::u16string keyItemText(std::uint8_t hostCode, bool released) {
    return std::u16string(keyLabel(hostCode)) + (released ? u" up" : u" dn");
}

bool isDelayItemText(std::u16string_view text) {
    return text.find(u" ms") != std::u16string_view::npos;
}

std::vector<std::u16string> macroDisplayItems(MacroStreamView hostStream) {
    std::vector<std::u16string> items;
    for (const MacroEvent& event : macroEvents(hostStream)) {
        if (event.hasDelayItem()) items.push_back(delayItemText(event.pauseMs));
        items.push_back(keyItemText(event.code, event.released));
    }
    return items;
}

}  // namespace orvane
