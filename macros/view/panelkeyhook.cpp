#include "macros/view/panelkeyhook.h"

#include "platform/desktop/keyhook.h"

namespace orvane {

namespace {
constexpr int kMacroCaptureMode = 1;  // presses and releases
}  // namespace

PanelKeyHook::~PanelKeyHook() {
    if (capturing()) removehook();
}

bool PanelKeyHook::install() {
    if (pauses_ > 0) {
        wanted_ = true;  // starts when the message box closes
        return true;
    }
    wanted_ = installhook(window_, kMacroCaptureMode);
    return wanted_;
}

void PanelKeyHook::remove() {
    if (capturing()) removehook();
    wanted_ = false;
}

PanelKeyHook::Pause::Pause(PanelKeyHook& hook) : hook_(hook) {
    if (hook_.capturing()) removehook();
    ++hook_.pauses_;
}

PanelKeyHook::Pause::~Pause() {
    if (--hook_.pauses_ == 0 && hook_.wanted_) hook_.wanted_ = installhook(hook_.window_, kMacroCaptureMode);
}

}  // namespace orvane
