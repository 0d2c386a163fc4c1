#include "macros/view/panelkeyhook.h"

#include <QWidget>

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
    wanted_ = installCapture();
    return wanted_;
}

bool PanelKeyHook::installCapture() {
    KeyCapture* capture = installhook(window_, kMacroCaptureMode);
    if (capture == nullptr) return false;
    QObject::connect(capture, &KeyCapture::keyCaptured, window_,
                     [this](quint8 virtualKey, bool released) { onKey_(virtualKey, released); }, Qt::QueuedConnection);
    return true;
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
    if (--hook_.pauses_ == 0 && hook_.wanted_) hook_.wanted_ = hook_.installCapture();
}

}  // namespace orvane
