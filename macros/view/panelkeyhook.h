// The macro manager's key capture, in mode 1 (presses and releases); each
// captured key reaches `onKey` on the window's thread, after the event that
// brought it. While one of the panel's own message boxes is open the capture pauses,
// so the box gets its keys (and they are not recorded); it resumes afterwards
// unless the panel stopped it meanwhile.
#pragma once

#include <cstdint>
#include <functional>

#include "macros/model/macrokeyhook.h"

class QWidget;

namespace orvane {

class PanelKeyHook final : public MacroKeyHook {
public:
    using KeyHandler = std::function<void(std::uint8_t virtualKey, bool released)>;

    PanelKeyHook(QWidget* window, KeyHandler onKey) : window_(window), onKey_(std::move(onKey)) {}
    ~PanelKeyHook() override;

    bool install() override;
    void remove() override;
    bool capturing() const { return wanted_ && pauses_ == 0; }

    class Pause {
    public:
        explicit Pause(PanelKeyHook& hook);
        ~Pause();
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        PanelKeyHook& hook_;
    };

private:
    bool installCapture();

    QWidget* window_;
    KeyHandler onKey_;
    bool wanted_ = false;  // the panel's view: capture installed
    int pauses_ = 0;
};

}  // namespace orvane
