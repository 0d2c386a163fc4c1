#include "controls/skinnedwindow.h"

#include <QCursor>
#include <QMouseEvent>
#include <QWindow>

namespace orvane {

void WindowDrag::pressed(const QMouseEvent& event) {
    pressGlobal_ = event.globalPosition().toPoint();
    pressKnown_ = true;
}

bool WindowDrag::start(QWidget& window) {
    if (manual_) return false;
    QWindow* handle = window.windowHandle();
    if (handle != nullptr && handle->startSystemMove()) return true;
    // No window manager to move us: follow the pointer by hand, from where
    // the button went down.
    manual_ = true;
    offset_ = (pressKnown_ ? pressGlobal_ : QCursor::pos()) - window.pos();
    return false;
}

bool WindowDrag::follow(QWidget& window, const QMouseEvent& event) {
    if (!manual_) return false;
    if ((event.buttons() & Qt::LeftButton) == 0) {
        manual_ = false;  // the release went elsewhere
        return false;
    }
    window.move(event.globalPosition().toPoint() - offset_);
    return true;
}

bool WindowDrag::release() {
    pressKnown_ = false;
    const bool was = manual_;
    manual_ = false;
    return was;
}

bool isSwallowedWindowKey(int key, bool escapeCloses) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return true;
        case Qt::Key_Escape: return !escapeCloses;
        default: return false;
    }
}

}  // namespace orvane
