// What every skinned window shares: it shows the picture it composed off
// screen, it moves when dragged by its skin (the system's move first, by hand
// where the platform offers none), and Enter and Escape neither close it nor
// press one of its buttons.
#pragma once

#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPoint>
#include <QWidget>

class QMouseEvent;

namespace orvane {

// The drag of a frameless window.
class WindowDrag {
public:
    // Where the left button went down (the drag keeps the pointer's place on the window).
    void pressed(const QMouseEvent& event);
    // True when the window system moves the window; otherwise the window
    // follows the pointer from here on (follow).
    bool start(QWidget& window);
    // True when the move was the drag's: the window followed the pointer.
    bool follow(QWidget& window, const QMouseEvent& event);
    // True when a drag by hand ended.
    bool release();

private:
    bool manual_ = false;
    bool pressKnown_ = false;
    QPoint pressGlobal_;
    QPoint offset_;
};

// Enter and Escape (Escape only when the window does not close on it).
bool isSwallowedWindowKey(int key, bool escapeCloses);

// Base is QWidget or QDialog.
template <class Base>
class SkinnedWindow : public Base {
public:
    using Base::Base;

    const QImage& canvas() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, canvas_);
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (isSwallowedWindowKey(event->key(), escapeCloses_)) {
            event->accept();
            return;
        }
        Base::keyPressEvent(event);
    }

    QImage canvas_;
    WindowDrag drag_;
    bool escapeCloses_ = false;
};

}  // namespace orvane
