// What the macro manager's input logic asks of the window around it. The
// panel implements it; tests record the calls.
#pragma once

#include "macros/model/macromessages.h"

namespace orvane {

class MacroPanelHost {
public:
    virtual ~MacroPanelHost() = default;

    // The panel's own message boxes: OK only, or OK and Cancel (true for OK).
    virtual void showMessage(const PanelMessage& message) = 0;
    virtual bool confirm(const PanelMessage& message) = 0;
    // Closes the panel with the OK (true) or the Cancel result.
    virtual void endPanel(bool ok) = 0;
    // Moves the borderless panel with the pointer while the button is held.
    virtual void startWindowDrag() = 0;
};

}  // namespace orvane
