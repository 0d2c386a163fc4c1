// The macro manager's key capture through the key-capture library, in mode
// 1. While one of the panel's own message boxes is open the capture pauses,
// so the box gets its keys (and they are not recorded); it resumes afterwards
// unless the panel stopped it meanwhile.
#pragma once

#include "macros/model/macrokeyhook.h"

class QWidget;

namespace orvane {

class PanelKeyHook final : public MacroKeyHook {
public:
    explicit PanelKeyHook(QWidget* window) : window_(window) {}
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
    QWidget* window_;
    bool wanted_ = false;  // the panel's view: capture installed
    int pauses_ = 0;
};

}  // namespace orvane
