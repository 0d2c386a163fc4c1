#include "platform/desktop/keyhook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace orvane {

KeyCapture::KeyCapture(QWidget* window, int mode) : window_(window), mode_(mode) {}

// Sees every key event of the application while installed and tells it
// instead of handing it to the focused control.
bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
    (void)watched;
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    if (window_.isNull()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::uint8_t vk = virtualKeyOf(*key);
    const bool release = type == QEvent::KeyRelease;
    // Auto-repeat shows up as further presses only, as a low-level hook sees it.
    const bool deliver = mode_ == 1 ? !(release && key->isAutoRepeat()) : !release && !key->isAutoRepeat();
    if (deliver) emit keyCaptured(vk, release);
    return true;  // captured keys never reach the focused control
}

namespace {

KeyCapture* g_capture = nullptr;

}  // namespace

KeyCapture* installhook(QWidget* window, int mode) {
    if (window == nullptr || QCoreApplication::instance() == nullptr) return nullptr;
    removehook();
    g_capture = new KeyCapture(window, mode);
    QCoreApplication::instance()->installEventFilter(g_capture);
    window->grabKeyboard();
    return g_capture;
}

void removehook() {
    if (g_capture == nullptr) return;
    if (QWidget* window = g_capture->window()) window->releaseKeyboard();
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(g_capture);
    delete g_capture;
    g_capture = nullptr;
}

}  // namespace orvane
