#include "macros/model/macroeditor.h"

#include <algorithm>

#include "keyboardstate/keylabels.h"
#include "macros/model/macroevents.h"

namespace orvane {
namespace {

inline constexpr unsigned kInsertedDelayMs = 50;
inline constexpr unsigned kMinEditedDelayMs = 2;
inline constexpr std::uint8_t kEscapeKey = 0x1B;

// The event of the selected item, if an item is selected.
std::optional<MacroItemRef> selectedItem(const MacroSession& session) {
    const int sel = session.events().selection();
    if (sel < 0) return std::nullopt;
    return macroItemAt(session.buffer().streams.hostView(), static_cast<std::size_t>(sel));
}

}  // namespace

MacroEditOutcome MacroEditor::finish(bool rebuild) {
    session_.buffer().syncWritePosition();
    session_.commit();
    if (rebuild) session_.rebuildEventList();
    return {MacroEditResult::Done, std::nullopt};
}

MacroEditOutcome MacroEditor::full() const {
    return {MacroEditResult::StreamFull,
            macroMessage(MacroMessage::MacroFull, session_.languageCode())};
}

void MacroEditor::endCaptureKeepingSelection() {
    // The releases a recording gets go at the end and select it; the command
    // still works on the item the person chose.
    const int selection = session_.events().selection();
    session_.endCapture();
    session_.events().select(selection);
}

MacroEditOutcome MacroEditor::startInsertion(std::size_t index) {
    session_.pendingIndex = static_cast<int>(index);
    session_.pendingInsertion = true;
    session_.installHookForInsertion();
    return {MacroEditResult::Done, std::nullopt};
}

MacroEditOutcome MacroEditor::insertBefore() {
    endCaptureKeepingSelection();
    const auto item = selectedItem(session_);
    if (!item) return {};
    // The new key goes before the whole event, its delay item included.
    return startInsertion(item->firstItem);
}

MacroEditOutcome MacroEditor::insertAfter() {
    endCaptureKeepingSelection();
    const auto item = selectedItem(session_);
    if (!item) return {};
    return startInsertion(item->endItem());
}

bool MacroEditor::insertKeyEvent(std::size_t offset, std::uint8_t virtualKey, bool released) {
    MacroEditBuffer& buffer = session_.buffer();
    MacroHeldKeys& inserted = buffer.insertedKeys;
    const std::size_t heldAfter = inserted.countAfter(virtualKey, released);
    if (!buffer.fitsWithReleases(kShortEventSize, heldAfter) ||
        !insertShortMacroEvent(buffer.streams, offset, released, keyUsage(virtualKey),
                               virtualKey)) {
        return false;
    }
    inserted.took(virtualKey, released);
    session_.events().insert(static_cast<std::size_t>(session_.pendingIndex),
                             keyItemText(virtualKey, released));
    ++session_.pendingIndex;
    return true;
}

MacroEditOutcome MacroEditor::capturedKey(std::uint8_t virtualKey, bool released) {
    MacroEditBuffer& buffer = session_.buffer();
    MacroHeldKeys& inserted = buffer.insertedKeys;
    const auto offset = macroOffsetOfItem(buffer.streams.hostView(),
                                          static_cast<std::size_t>(std::max(session_.pendingIndex, 0)));
    if (!offset) {
        // The list changed under the insertion (another macro was selected):
        // there is no place left to insert at, so the insertion ends.
        session_.endInsertion();
        session_.commit();
        return {};
    }
    MacroEditOutcome outcome;
    if (virtualKey == kEscapeKey) {
        // Escape ends the insertion; the keys it holds are released there.
        if (!released) session_.endInsertion();
        return {};
    }
    if (keyUsage(virtualKey) == 0) {
        // A key the keyboard has no code for would end the device stream
        // early: it is not inserted, but its release still counts below.
    } else if (!released) {
        if (insertKeyEvent(*offset, virtualKey, false)) {
            outcome = {MacroEditResult::Done, std::nullopt};
        } else {
            inserted.refused(virtualKey);
            outcome = full();
        }
    } else if (!inserted.isHeld(virtualKey)) {
        // Its press is not in the insertion (refused, or made before it).
        inserted.takeRefusedRelease(virtualKey);
    } else {
        outcome = insertKeyEvent(*offset, virtualKey, true)
                      ? MacroEditOutcome{MacroEditResult::Done, std::nullopt}
                      : full();
    }
    // A combination is inserted whole: the insertion ends with the release
    // that leaves no inserted key held.
    buffer.syncWritePosition();
    session_.commit();
    if (released && inserted.none()) session_.endInsertion();
    return outcome;
}

MacroEditOutcome MacroEditor::mouse(MouseButton button, MouseAction action) {
    session_.endInsertion();
    if (session_.selectedRecord() == nullptr) return {};
    const auto item = selectedItem(session_);
    if (!item) return {};
    MacroStreams& streams = session_.buffer().streams;
    const std::size_t endIndex = item->endItem();
    const std::size_t offset = item->event.end();
    const auto code = static_cast<std::uint8_t>(button);
    const std::size_t needed = action == MouseAction::Click ? 2 * kShortEventSize : kShortEventSize;
    // Room set aside for the releases of keys held during a capture stays free.
    if (!session_.buffer().fitsWithReleases(needed, session_.buffer().heldKeyCount())) {
        return full();
    }

    if (action == MouseAction::Click) {
        insertShortMacroEvent(streams, offset, false, code, code);
        insertShortMacroEvent(streams, offset + kShortEventSize, true, code, code);
        session_.events().insert(endIndex, keyItemText(code, false));
        session_.events().insert(endIndex + 1, keyItemText(code, true));
    } else {
        const bool released = action == MouseAction::Up;
        insertShortMacroEvent(streams, offset, released, code, code);
        session_.events().insert(endIndex, keyItemText(code, released));
    }
    return finish(false);
}

MacroEditOutcome MacroEditor::insertDelay() {
    session_.endInsertion();
    const int sel = session_.events().selection();
    if (sel < 0 || static_cast<std::size_t>(sel) + 1 >= session_.events().size()) return {};
    const auto item = selectedItem(session_);
    if (!item) return {};
    if (item->isDelayItem) {
        return {MacroEditResult::ShowMessage,
                macroMessage(MacroMessage::EditCurrentDelay, session_.languageCode())};
    }
    MacroStreams& streams = session_.buffer().streams;
    const auto next = macroOffsetOfItem(streams.hostView(), static_cast<std::size_t>(sel) + 1);
    if (!next) return {};
    // Through the pause rule, so a long event also drops its delay bytes.
    setMacroEventPause(streams, *next, kInsertedDelayMs);
    normaliseMacroStreams(streams);
    return finish(true);
}

MacroEditOutcome MacroEditor::deleteItem() {
    session_.endInsertion();
    if (session_.selectedRecord() == nullptr) return {};
    const auto item = selectedItem(session_);
    if (!item) return {};
    MacroStreams& streams = session_.buffer().streams;
    if (item->isDelayItem) {
        setMacroEventPause(streams, item->event.offset, 1);
    } else {
        removeMacroEvent(streams, item->event.offset);
    }
    normaliseMacroStreams(streams);
    return finish(true);
}

MacroEditOutcome MacroEditor::delayEdited(std::size_t index, unsigned valueMs) {
    session_.endInsertion();
    const auto item = macroItemAt(session_.buffer().streams.hostView(), index);
    if (!item || !item->isDelayItem) return {};
    const unsigned ms = std::clamp(valueMs, kMinEditedDelayMs, kMaxPauseMs);
    MacroStreams& streams = session_.buffer().streams;
    if (!setMacroEventPause(streams, item->event.offset, ms)) {
        return full();  // the list keeps the old value; the panel redraws it
    }
    normaliseMacroStreams(streams);
    // The list box already shows the new text; the items are refreshed from
    // the streams so the model matches what was stored, selection kept.
    const int sel = session_.events().selection();
    session_.events().assign(macroDisplayItems(streams.hostView()));
    session_.events().select(sel);
    return finish(false);
}

void MacroEditor::loopTextChanged(std::u16string text) { session_.setLoopText(std::move(text)); }

}  // namespace orvane
