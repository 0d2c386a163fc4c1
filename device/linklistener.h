// What the keyboard link tells the main window. The window implements this
// later; tests implement it too.
#pragma once

#include <cstdint>

namespace orvane {

// What a refresh follows.
inline constexpr int kRefreshAfterKeyboardRead = 0;
inline constexpr int kRefreshAfterProfile = 1;

class LinkListener {
public:
    virtual ~LinkListener() = default;
    // A key whose assignment is a host-side action was pressed. Called on
    // the reader thread: must not block.
    virtual void postKeyEvent(std::uint8_t code) = 0;
    // The refresh after a read of the keyboard or a loaded profile (kind:
    // kRefresh...). Called on the user-interface thread (device arrival,
    // KeyboardLink::finishReadAll); returns once it is handled.
    virtual void sendRefresh(int kind) = 0;
    // The start-up read-all thread has read the keyboard. Called on that
    // thread: must not block. The window answers by calling
    // KeyboardLink::finishReadAll on its own thread; the read-all thread
    // waits for that before it ends.
    virtual void postReadAllFinished() = 0;
    // A transfer found the keyboard gone. Called on any thread: must not
    // block. The window answers by calling KeyboardLink::onRemoval.
    virtual void postDeviceLost() = 0;
};

}  // namespace orvane
