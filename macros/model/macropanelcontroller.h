// The macro manager's input logic without its window: the region table and
// the buttons, the two lists' selections and messages, the loop edit, the
// captured keys and the context menu, all routed to MacroSession,
// MacroRecorder and MacroEditor. The panel draws the state kept here and
// passes its input on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "macros/model/macrobmpinfo.h"
#include "macros/model/macroeditor.h"
#include "macros/model/macropanelhost.h"
#include "macros/model/macrorecorder.h"
#include "macros/model/macrosession.h"
#include "macros/model/macroslotmoves.h"
#include "macros/model/performanceclock.h"

namespace orvane {

// Command numbers of the mouse items of the context menu.
inline constexpr int kCmdMouseLeftDown = 32800;
inline constexpr int kCmdMouseLeftUp = 32801;
inline constexpr int kCmdMouseLeftClick = 32802;
inline constexpr int kCmdMouseRightDown = 32804;
inline constexpr int kCmdMouseRightUp = 32806;
inline constexpr int kCmdMouseRightClick = 32807;
inline constexpr int kCmdMouseMiddleDown = 32811;
inline constexpr int kCmdMouseMiddleUp = 32812;
inline constexpr int kCmdMouseMiddleClick = 32813;

struct MouseCommand {
    MouseButton button;
    MouseAction action;
};
// The button and action of a mouse command number; nothing for any other.
std::optional<MouseCommand> mouseCommand(int command);

class MacroPanelController {
public:
    MacroPanelController(std::int16_t languageCode, MacroKeyHook& hook, PerformanceClock& clock,
                         MacroPanelHost& host);

    // Opening: the saved store, every region in its first look, nothing
    // recording, no macro moved yet.
    void open(const MacroStore& saved);
    // The window goes away (OK, Cancel or destroyed): capture stops.
    void close();

    // Pointer over the panel's own surface (not over a list or the edit).
    void onMouseMove(int x, int y, bool leftButtonHeld);
    void onPointerLeft();
    void onLButtonUp(int x, int y);

    // The person selected a macro or an event item (-1: none).
    void onMacroSelected(int item);
    void onEventSelected(int item);
    // Either list: an in-place edit begins.
    void onInPlaceEditBegins();
    // The macro list kept a rename. False when the name is refused (empty or
    // too long): the list shows the stored name again.
    bool onMacroRenamed(std::size_t item, std::u16string_view name);
    // The event list kept a delay edit.
    void onDelayEdited(std::size_t index, unsigned valueMs);
    // The loop edit's text changed.
    void onLoopTextChanged(std::u16string text);
    // A key from the key capture.
    void onKey(std::uint8_t virtualKey, bool released);
    // A command of the event list's context menu.
    void onMenuCommand(int command);

    MacroSession& session() { return session_; }
    const MacroSession& session() const { return session_; }
    const MacroBmpInformation& regions() const { return regions_; }
    const MacroSlotMoves& slotMoves() const { return moves_; }
    // Hands the moves over once: applying them twice would move keys twice.
    MacroSlotMoves takeSlotMoves() { return std::exchange(moves_, MacroSlotMoves{}); }
    std::int16_t languageCode() const { return session_.languageCode(); }

private:
    void deleteMacro();
    void show(const MacroEditOutcome& outcome);
    void refuseFullStream();

    MacroSession session_;
    MacroEditor editor_;
    MacroRecorder recorder_;
    MacroPanelHost& host_;
    MacroBmpInformation regions_;
    MacroSlotMoves moves_;
};

}  // namespace orvane
