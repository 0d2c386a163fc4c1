#include "macros/model/macrorecorder.h"

#include "keyboardstate/keylabels.h"
#include "macros/model/macroevents.h"

namespace orvane {

MacroRecorder::MacroRecorder(MacroSession& session, MacroEditor& editor, PerformanceClock& clock)
    : session_(session), editor_(editor), clock_(clock) {}

std::optional<PanelMessage> MacroRecorder::toggleRecording() {
    MacroRecord* record = session_.selectedRecord();
    if (record == nullptr) {
        return macroMessage(MacroMessage::RecordWithoutMacro, session_.languageCode());
    }
    if (!session_.recording) {
        // One capture at a time: a pending insertion ends before the
        // recording empties the macro it was inserting into.
        session_.endInsertion();
        session_.recording = true;
        session_.installHook();
        // A recording replaces the macro's events; name, loops and options
        // stay until the first commit.
        session_.buffer().clear();
        session_.events().clear();
        record->deviceEvents.fill(0);
        record->hostEvents.fill(0);
    } else {
        session_.endCapture();
    }
    return std::nullopt;
}

KeyEventResult MacroRecorder::processKey(std::uint8_t virtualKey, bool released) {
    if (session_.pendingInsertion) {
        const MacroEditOutcome outcome = editor_.capturedKey(virtualKey, released);
        switch (outcome.result) {
            case MacroEditResult::Done: return KeyEventResult::Inserted;
            case MacroEditResult::StreamFull: return KeyEventResult::StreamFull;
            default: return KeyEventResult::Ignored;
        }
    }
    KeyEventResult result = KeyEventResult::Ignored;
    if (session_.hookInstalled()) result = record(virtualKey, released);
    session_.commit();
    return result;
}

KeyEventResult MacroRecorder::record(std::uint8_t virtualKey, bool released) {
    // A key the keyboard has no code for would end the device stream there.
    if (keyUsage(virtualKey) == 0) return KeyEventResult::Ignored;
    MacroEditBuffer& buffer = session_.buffer();
    const std::u16string text = keyItemText(virtualKey, released);
    std::int64_t ticks = 0;
    if (released) {
        const std::int64_t current = clock_.counter();
        ticks = current - lastCounter_;
        lastCounter_ = current;
    } else if (session_.events().empty()) {
        // The first event of a recording starts the clock; it has no pause.
        lastCounter_ = clock_.counter();
    } else if (text != buffer.lastKeyItem) {
        const std::int64_t current = clock_.counter();
        ticks = current - lastCounter_;
        lastCounter_ = current;
    }
    if (text == buffer.lastKeyItem) return KeyEventResult::Dropped;
    if (released && !buffer.recordedKeys.isHeld(virtualKey)) {
        // Its press is not in the macro: refused for lack of room, made
        // before the recording began, or already released by the capture.
        buffer.recordedKeys.takeRefusedRelease(virtualKey);
        return KeyEventResult::Dropped;
    }
    const unsigned ms = ticksToPauseMs(ticks, clock_.frequency());
    if (!InsertMacroToList(virtualKey, ms, released)) {
        if (!released) buffer.recordedKeys.refused(virtualKey);
        return KeyEventResult::StreamFull;
    }
    return KeyEventResult::Recorded;
}

std::optional<std::uint8_t> MacroRecorder::InsertMacroToList(std::uint8_t virtualKey,
                                                             unsigned pauseMs, bool released) {
    MacroEditBuffer& buffer = session_.buffer();
    MacroEventList& events = session_.events();
    const bool withPause = session_.recordDelay() && !events.empty();
    unsigned pause = withPause ? pauseMs : 1;
    // Keys held once this event is in (a recording never runs beside an
    // insertion, so only its own keys count).
    const std::size_t heldAfter = buffer.recordedKeys.countAfter(virtualKey, released);
    if (released) {
        // A release keeps its pause only while the other held keys' releases
        // still fit behind it; otherwise it goes in without one. Room for a
        // short release of every held key is always kept, so a held key's
        // release fits.
        if (!buffer.fitsWithReleases(macroEventSizeForPause(pause), heldAfter)) pause = 1;
        if (!buffer.fitsWithReleases(kShortEventSize, heldAfter)) return std::nullopt;
    } else if (!buffer.fitsWithReleases(macroEventSizeForPause(pause), heldAfter)) {
        // A press is taken only with room for the releases of every key then
        // held, its own included.
        return std::nullopt;
    }
    const auto end = appendMacroEvent(buffer.streams, released, pause, keyUsage(virtualKey),
                                      virtualKey);
    if (!end) return std::nullopt;
    buffer.recordedKeys.took(virtualKey, released);
    buffer.syncWritePosition();
    if (pause > 1) events.append(delayItemText(pause));
    std::u16string text = keyItemText(virtualKey, released);
    buffer.lastKeyItem = text;
    events.appendAndSelect(std::move(text));
    ++buffer.eventCounter;
    return buffer.writePosition;
}

}  // namespace orvane
