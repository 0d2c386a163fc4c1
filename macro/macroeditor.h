// The editing commands of the event list's context menu, the delay edit and
// the loop count. Each keeps the event list and both streams in step and ends
// with a commit into the working store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "macro/macromessages.h"
#include "macro/macrosession.h"

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
    // A key captured while an insertion is pending: a press is inserted and
    // the insertion goes on; a release is inserted and ends it.
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
    MacroEditOutcome finish(bool rebuild);
    MacroEditOutcome full() const;

    MacroSession& session_;
};

}  // namespace orvane
