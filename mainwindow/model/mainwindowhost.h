// What the main window's input logic asks of the window around it: painting,
// dialogs, panels and the keyboard link. The widget implements it; tests
// record the calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "mainwindow/model/mainwindowstate.h"
#include "keyboardstate/rgb.h"

namespace orvane {
struct PendingAssignment;
}

namespace orvane {

// What a Save achieved on the keyboard.
enum class SaveOutcome {
    NothingChanged,     // nothing differed; nothing sent
    Sent,               // every changed group was sent and acknowledged
    NoAcknowledgement,  // the keyboard stopped answering part way
    NotConnected,       // no keyboard
};

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    virtual void paintAll() = 0;
    // Redraws one slider's face directly (not through paintAll).
    virtual void drawSliderFace(SliderKind kind) = 0;
    // Pushes the positions in MainWindowState::sliders to the slider controls.
    virtual void applySliderPositions() = 0;
    virtual void hideWindow() = 0;
    virtual void closeMainDialog() = 0;
    virtual void setWaitCursor(bool waiting) = 0;
    virtual void startWindowDrag() = 0;

    // Modal system colour chooser starting from black; nothing when cancelled.
    virtual std::optional<Rgb> chooseColor() = 0;
    // Modal question with OK and Cancel; true for OK.
    virtual bool confirm(std::u16string_view text, std::u16string_view caption) = 0;
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0;

    virtual SaveOutcome writeAll() = 0;
    // FactoryReset, SetGameMode 1 twice, then read-all into the working copy.
    virtual void factoryResetKeyboard() = 0;

    // Modal panels. The macro manager confirms its own result (store back,
    // slots refilled, both files written) when it ends with OK.
    virtual void runMacroManager() = 0;
    virtual void runProfileManager() = 0;
    // True when the key assignment panel ended with OK; its choice is in `pending`.
    virtual bool runKeyAssignment(std::uint8_t position, PendingAssignment& pending) = 0;

    virtual void openWebAddress() = 0;
    virtual void startUpdater() = 0;
    // The refresh after a read or a loaded profile (kRefresh...), handled before it returns.
    virtual void sendRefresh(int kind) = 0;
};

}  // namespace orvane
