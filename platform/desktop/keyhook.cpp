#include "platform/desktop/keyhook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "platform/desktop/privatemessage.h"

namespace orvane {
namespace {

// Sees every key event of the application while a capture is installed and
// hands it to the capturing window instead of the focused control.
class KeyCapture : public QObject {
public:
    KeyCapture(QWidget* window, int mode) : window_(window), mode_(mode) {}

    QWidget* window() const { return window_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        (void)watched;
        const auto type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
        if (window_.isNull()) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const std::uint8_t vk = virtualKeyOf(*key);
        const bool release = type == QEvent::KeyRelease;
        // Auto-repeat shows up as further presses only, as a low-level hook sees it.
        const bool deliver = mode_ == 1 ? !(release && key->isAutoRepeat()) : !release && !key->isAutoRepeat();
        if (deliver) {
            postPrivateMessage(window_, kMessageKeyCaptured, vk, release ? kKeyReleasedBit : 0);
        }
        return true;  // captured keys never reach the focused control
    }

private:
    QPointer<QWidget> window_;
    int mode_;
};

KeyCapture* g_capture = nullptr;

}  // namespace

bool installhook(QWidget* window, int mode) {
    if (window == nullptr || QCoreApplication::instance() == nullptr) return false;
    removehook();
    g_capture = new KeyCapture(window, mode);
    QCoreApplication::instance()->installEventFilter(g_capture);
    window->grabKeyboard();
    return true;
}

void removehook() {
    if (g_capture == nullptr) return;
    if (QWidget* window = g_capture->window()) window->releaseKeyboard();
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(g_capture);
    delete g_capture;
    g_capture = nullptr;
}

}  // namespace orvane
