// Key capture for the panels that record or assign keys. While installed,
// every key typed in the application goes to one window as message 0x6F3
// (wParam = Windows virtual-key code, lParam bit 31 set on release) instead
// of to the focused control. A key without any code arrives with wParam 0,
// so the window can say so instead of the key vanishing.
#pragma once

#include <cstdint>

class QKeyEvent;
class QWidget;

namespace orvane {

inline constexpr int kMessageKeyCaptured = 0x6F3;
inline constexpr std::intptr_t kKeyReleasedBit = std::intptr_t{1} << 31;

// Mode 1: one message per press and per release, auto-repeat as repeated
// presses. Mode 0: one message per key, on its press. Replaces an earlier
// capture. Returns false when window is null.
bool installhook(QWidget* window, int mode);
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
