// Key capture for the panels that record or assign keys: an event filter of
// the application. While installed, every key typed in the application is
// told by the capture's keyCaptured signal (the Windows virtual-key code, and
// whether it was a release) instead of reaching the focused control. A key
// without any code is told as 0, so the panel can say so instead of the key
// vanishing.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>

class QKeyEvent;

namespace orvane {

class KeyCapture : public QObject {
    Q_OBJECT
public:
    KeyCapture(QWidget* window, int mode);

    QWidget* window() const { return window_; }

signals:
    void keyCaptured(quint8 virtualKey, bool released);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    int mode_;
};

// Mode 1: one signal per press and per release, auto-repeat as repeated
// presses. Mode 0: one per key, on its press. The window gets the keyboard
// grab. Replaces an earlier capture; the capture lives until removehook or
// the next installhook. Null when window is null; connect to the capture
// with a queued connection, so a key is handled after the event that brought it.
KeyCapture* installhook(QWidget* window, int mode);
// Stops capturing; harmless when nothing is captured.
void removehook();

// The Windows virtual-key code of a key event: from the key's place on the
// keyboard when the platform reports its key code, else from the keysym,
// else from Qt's key code. 0 when the key has none.
std::uint8_t virtualKeyOf(const QKeyEvent& event);
// The code of the key at a place of a US keyboard, by X / Wayland key code
// (Linux input code + 8); 0 for a code of no such key.
std::uint8_t virtualKeyFromKeyCode(std::uint32_t keyCode);
std::uint8_t virtualKeyFromKeysym(std::uint32_t keysym);
std::uint8_t virtualKeyFromQtKey(int key, bool keypad);

}  // namespace orvane
