// The editing commands of the event list's context menu, the delay edit and
// the loop count. Each keeps the event list and both streams in step and ends
// with a commit into the working store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "macros/model/macromessages.h"
#include "macros/model/macrosession.h"

namespace orvane {

enum class MacroEditResult {
    Done,
    Ignored,       // the command's precondition failed; nothing changed
    StreamFull,    // refused: the macro has no room; nothing changed
    ShowMessage,   // see the message returned beside it
};

struct MacroEditOutcome {
    MacroEditResult result = MacroEditResult::Ignored;
    std::optional<PanelMessage> message;
};

enum class MouseButton : std::uint8_t { Left = 0xF0, Right = 0xF1, Middle = 0xF2 };
enum class MouseAction { Down, Up, Click };

// Menu command numbers of the context menu.
inline constexpr int kCmdInsertBefore = 32790;
inline constexpr int kCmdInsertAfter = 32791;
inline constexpr int kCmdInsertDelay = 32793;
inline constexpr int kCmdDeleteItem = 32815;

class MacroEditor {
public:
    explicit MacroEditor(MacroSession& session) : session_(session) {}

    // Insert Before / Insert After: the next captured keys go before or after
    // the selected item's event.
    MacroEditOutcome insertBefore();
    MacroEditOutcome insertAfter();
    // A key captured while an insertion is pending. A press is inserted when
    // its release and those of the other held keys fit behind it; a release
    // is inserted unless its press was refused. The insertion ends with the
    // release (of any key) that leaves no inserted key held. Done when an
    // event went in, StreamFull when it did not fit, Ignored otherwise.
    MacroEditOutcome capturedKey(std::uint8_t virtualKey, bool released);

    MacroEditOutcome mouse(MouseButton button, MouseAction action);
    MacroEditOutcome insertDelay();
    MacroEditOutcome deleteItem();
    // End of an in-place edit of the delay item at `index`; the value is
    // limited to 2..60000 ms.
    MacroEditOutcome delayEdited(std::size_t index, unsigned valueMs);
    // The loop edit box's text changed.
    void loopTextChanged(std::u16string text);

private:
    // Insert Before/After while another capture runs: that one ends first.
    void endCaptureKeepingSelection();
    MacroEditOutcome startInsertion(std::size_t index);
    // Inserts a short key event at the pending index; false when it does not
    // fit with room for the releases of the keys then held.
    bool insertKeyEvent(std::size_t offset, std::uint8_t virtualKey, bool released);
    MacroEditOutcome finish(bool rebuild);
    MacroEditOutcome full() const;

    MacroSession& session_;
};

}  // namespace orvane
