// Recording: what the user types on the host becomes events of the selected
// macro, with the pauses between them measured on an injectable clock.
#pragma once

#include <cstdint>
#include <optional>

#include "macros/model/macroeditor.h"
#include "macros/model/macromessages.h"
#include "macros/model/macrosession.h"
#include "macros/model/performanceclock.h"

namespace orvane {

enum class KeyEventResult {
    Recorded,      // appended to the macro
    Inserted,      // went into a pending insertion
    Dropped,       // not recorded: the same key item as the last one (a held key
                   // repeating), or the release of a press refused for lack of room
    Ignored,       // no capture running, or the key has no code on the keyboard
    StreamFull,    // refused: no room left in the macro
};

class MacroRecorder {
public:
    MacroRecorder(MacroSession& session, MacroEditor& editor, PerformanceClock& clock);

    // The Record button. Returns the message to show when no macro is selected.
    std::optional<PanelMessage> toggleRecording();

    // A key from the key capture: a pending insertion takes the key,
    // otherwise it is recorded while the hook is installed. Always commits.
    KeyEventResult processKey(std::uint8_t virtualKey, bool released);

    // Appends one event to both streams and its items to the event list.
    // Returns the new write position, or nothing when the event does not fit
    // with room left for the release of every key still held after it.
    std::optional<std::uint8_t> InsertMacroToList(std::uint8_t virtualKey, unsigned pauseMs,
                                                  bool released);

private:
    KeyEventResult record(std::uint8_t virtualKey, bool released);

    MacroSession& session_;
    MacroEditor& editor_;
    PerformanceClock& clock_;
    std::int64_t lastCounter_ = 0;
};

}  // namespace orvane
