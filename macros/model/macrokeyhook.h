// The key-capture hook as the macro manager uses it (mode 1: presses and
// releases). The panel implements it with the application's key capture; tests count calls.
#pragma once

namespace orvane {

class MacroKeyHook {
public:
    virtual ~MacroKeyHook() = default;
    // Starts capturing; false when capture is unavailable.
    virtual bool install() = 0;
    virtual void remove() = 0;
};

}  // namespace orvane
