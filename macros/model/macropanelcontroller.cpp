#include "macros/model/macropanelcontroller.h"

namespace orvane {

std::optional<MouseCommand> mouseCommand(int command) {
    switch (command) {
        case kCmdMouseLeftDown: return MouseCommand{MouseButton::Left, MouseAction::Down};
        case kCmdMouseLeftUp: return MouseCommand{MouseButton::Left, MouseAction::Up};
        case kCmdMouseLeftClick: return MouseCommand{MouseButton::Left, MouseAction::Click};
        case kCmdMouseRightDown: return MouseCommand{MouseButton::Right, MouseAction::Down};
        case kCmdMouseRightUp: return MouseCommand{MouseButton::Right, MouseAction::Up};
        case kCmdMouseRightClick: return MouseCommand{MouseButton::Right, MouseAction::Click};
        case kCmdMouseMiddleDown: return MouseCommand{MouseButton::Middle, MouseAction::Down};
        case kCmdMouseMiddleUp: return MouseCommand{MouseButton::Middle, MouseAction::Up};
        case kCmdMouseMiddleClick: return MouseCommand{MouseButton::Middle, MouseAction::Click};
        default: return std::nullopt;
    }
}

MacroPanelController::MacroPanelController(std::int16_t languageCode, MacroKeyHook& hook,
                                           PerformanceClock& clock, MacroPanelHost& host)
    : session_(languageCode, &hook), editor_(session_), recorder_(session_, editor_, clock), host_(host) {}

void MacroPanelController::open(const MacroStore& saved) {
    regions_ = MacroBmpInformation{};
    moves_ = MacroSlotMoves{};
    session_.open(saved);
}

void MacroPanelController::close() { session_.close(); }

void MacroPanelController::onMouseMove(int x, int y, bool leftButtonHeld) {
    const int region = regions_.hitTest(x, y);
    if (region != regions_.hovered()) {
        regions_.hover(region);
    } else if (region == kMacroRegionNone && leftButtonHeld) {
        // The borderless panel is moved by its background.
        host_.startWindowDrag();
    }
}

void MacroPanelController::onPointerLeft() { regions_.hover(kMacroRegionNone); }

void MacroPanelController::onLButtonUp(int x, int y) {
    const int region = regions_.hitTest(x, y);
    regions_.hover(region);
    switch (region) {
        case kMacroRegionRecord:
            if (const auto message = recorder_.toggleRecording()) host_.showMessage(*message);
            break;
        case kMacroRegionRecordDelay: session_.toggleRecordDelay(); break;
        case kMacroRegionLoops: session_.toggleLoops(); break;
        case kMacroRegionNew: session_.newMacro(); break;  // with 32 macros: nothing, silently
        case kMacroRegionDelete: deleteMacro(); break;
        case kMacroRegionOk:
            session_.close();
            host_.endPanel(true);
            break;
        case kMacroRegionCancel:
            session_.close();
            host_.endPanel(false);
            break;
        default: break;
    }
}

void MacroPanelController::deleteMacro() {
    // The question comes first, even without a macro to delete.
    if (!host_.confirm(macroMessage(MacroMessage::ConfirmDelete, languageCode()))) return;
    const int item = session_.selectedMacro();
    const std::optional<std::size_t> slot =
        item >= 0 ? std::optional<std::size_t>(session_.slotOfItem(static_cast<std::size_t>(item))) : std::nullopt;
    if (const auto message = session_.deleteSelectedMacro()) {
        host_.showMessage(*message);
        return;
    }
    if (slot) moves_.deleted(*slot);
}

void MacroPanelController::onMacroSelected(int item) { session_.selectMacro(item); }

void MacroPanelController::onEventSelected(int item) { session_.events().select(item); }

void MacroPanelController::onInPlaceEditBegins() { session_.beginInPlaceEdit(); }

bool MacroPanelController::onMacroRenamed(std::size_t item, std::u16string_view name) {
    return session_.renameMacro(item, name);
}

void MacroPanelController::onDelayEdited(std::size_t index, unsigned valueMs) {
    show(editor_.delayEdited(index, valueMs));
}

void MacroPanelController::onLoopTextChanged(std::u16string text) { editor_.loopTextChanged(std::move(text)); }

void MacroPanelController::onKey(std::uint8_t virtualKey, bool released) {
    if (recorder_.processKey(virtualKey, released) == KeyEventResult::StreamFull) refuseFullStream();
}

void MacroPanelController::refuseFullStream() {
    // Capture stops at the first key that does not fit, so the person hears
    // of it once and the macro keeps what fitted, with the releases of the
    // keys still held.
    session_.endCapture();
    host_.showMessage(macroMessage(MacroMessage::MacroFull, languageCode()));
}

void MacroPanelController::onMenuCommand(int command) {
    if (const auto mouse = mouseCommand(command)) {
        show(editor_.mouse(mouse->button, mouse->action));
        return;
    }
    switch (command) {
        case kCmdInsertBefore: show(editor_.insertBefore()); break;
        case kCmdInsertAfter: show(editor_.insertAfter()); break;
        case kCmdInsertDelay: show(editor_.insertDelay()); break;
        case kCmdDeleteItem: show(editor_.deleteItem()); break;
        default: break;
    }
}

void MacroPanelController::show(const MacroEditOutcome& outcome) {
    if (outcome.message) host_.showMessage(*outcome.message);
}

}  // namespace orvane
