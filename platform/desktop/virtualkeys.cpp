// Host key events to Windows virtual-key codes, the codes the key label
// table and the macro streams are indexed by.
#include <QKeyEvent>
#include <array>
#include <utility>

#include "platform/desktop/keyhook.h"

namespace orvane {
namespace {

// X keysyms of keys that are not plain Latin-1 characters.
constexpr std::pair<std::uint32_t, std::uint8_t> kKeysyms[] = {
    {0xff08, 0x08}, {0xff09, 0x09}, {0xff0d, 0x0D}, {0xff13, 0x13}, {0xff14, 0x91},
    {0xff1b, 0x1B}, {0xff50, 0x24}, {0xff51, 0x25}, {0xff52, 0x26}, {0xff53, 0x27},
    {0xff54, 0x28}, {0xff55, 0x21}, {0xff56, 0x22}, {0xff57, 0x23}, {0xff61, 0x2C},
    {0xff63, 0x2D}, {0xff67, 0x5D}, {0xff7f, 0x90}, {0xffff, 0x2E},
    {0xff8d, 0x6C},  // keypad Enter has its own code
    {0xffaa, 0x6A}, {0xffab, 0x6B}, {0xffad, 0x6D}, {0xffae, 0x6E}, {0xffaf, 0x6F},
    // keypad with Num Lock off
    {0xff9e, 0x60}, {0xff9c, 0x61}, {0xff99, 0x62}, {0xff9b, 0x63}, {0xff96, 0x64},
    {0xff9d, 0x65}, {0xff98, 0x66}, {0xff95, 0x67}, {0xff97, 0x68}, {0xff9a, 0x69},
    {0xff9f, 0x6E},
    // modifiers, left and right apart
    {0xffe1, 0xA0}, {0xffe2, 0xA1}, {0xffe3, 0xA2}, {0xffe4, 0xA3}, {0xffe5, 0x14},
    {0xffe9, 0xA4}, {0xffea, 0xA5}, {0xfe03, 0xA5}, {0xffeb, 0x5B}, {0xffec, 0x5C},
    {0xffe7, 0x5B}, {0xffe8, 0x5C},
    // media keys
    {0x1008ff11, 0xAE}, {0x1008ff12, 0xAD}, {0x1008ff13, 0xAF}, {0x1008ff14, 0xB3},
    {0x1008ff15, 0xB2}, {0x1008ff16, 0xB1}, {0x1008ff17, 0xB0}, {0x1008ff32, 0xB5},
};

// Punctuation, unshifted and shifted, to the OEM codes of a US layout.
constexpr std::pair<char, std::uint8_t> kPunctuation[] = {
    {';', 0xBA}, {':', 0xBA}, {'=', 0xBB}, {'+', 0xBB}, {',', 0xBC}, {'<', 0xBC},
    {'-', 0xBD}, {'_', 0xBD}, {'.', 0xBE}, {'>', 0xBE}, {'/', 0xBF}, {'?', 0xBF},
    {'`', 0xC0}, {'~', 0xC0}, {'[', 0xDB}, {'{', 0xDB}, {'\\', 0xDC}, {'|', 0xDC},
    {']', 0xDD}, {'}', 0xDD}, {'\'', 0xDE}, {'"', 0xDE},
    {'!', 0x31}, {'@', 0x32}, {'#', 0x33}, {'$', 0x34}, {'%', 0x35}, {'^', 0x36},
    {'&', 0x37}, {'*', 0x38}, {'(', 0x39}, {')', 0x30},
};

// X key codes of a PC keyboard (evdev code + 8) to the code of the key at
// that place on a US layout: what a key is when its symbol tells nothing
// (ISO_Left_Tab, Sys_Req, Break, letters of other layouts).
std::uint8_t fromCharacter(std::uint32_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<std::uint8_t>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') return static_cast<std::uint8_t>(c);
    for (const auto& [ch, vk] : kPunctuation) {
        if (static_cast<std::uint32_t>(static_cast<unsigned char>(ch)) == c) return vk;
    }
    return 0;
}

}  // namespace

std::uint8_t virtualKeyFromKeysym(std::uint32_t keysym) {
    if (keysym >= 0xffbe && keysym <= 0xffc9) return static_cast<std::uint8_t>(0x70 + keysym - 0xffbe);  // F1..F12
    if (keysym >= 0xffb0 && keysym <= 0xffb9) return static_cast<std::uint8_t>(0x60 + keysym - 0xffb0);  // keypad digits
    for (const auto& [sym, vk] : kKeysyms) {
        if (sym == keysym) return vk;
    }
    if (keysym < 0x100) return fromCharacter(keysym);
    return 0;
}

std::uint8_t virtualKeyFromQtKey(int key, bool keypad) {
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint8_t>(0x60 + key - Qt::Key_0);
        switch (key) {
            case Qt::Key_Enter: return 0x6C;
            case Qt::Key_Asterisk: return 0x6A;
            case Qt::Key_Plus: return 0x6B;
            case Qt::Key_Minus: return 0x6D;
            case Qt::Key_Period: return 0x6E;
            case Qt::Key_Slash: return 0x6F;
            default: break;
        }
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<std::uint8_t>(0x70 + key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace: return 0x08;
        case Qt::Key_Tab: return 0x09;
        case Qt::Key_Return: return 0x0D;
        case Qt::Key_Enter: return 0x0D;
        case Qt::Key_Pause: return 0x13;
        case Qt::Key_CapsLock: return 0x14;
        case Qt::Key_Escape: return 0x1B;
        case Qt::Key_PageUp: return 0x21;
        case Qt::Key_PageDown: return 0x22;
        case Qt::Key_End: return 0x23;
        case Qt::Key_Home: return 0x24;
        case Qt::Key_Left: return 0x25;
        case Qt::Key_Up: return 0x26;
        case Qt::Key_Right: return 0x27;
        case Qt::Key_Down: return 0x28;
        case Qt::Key_Print: return 0x2C;
        case Qt::Key_Insert: return 0x2D;
        case Qt::Key_Delete: return 0x2E;
        case Qt::Key_Meta: return 0x5B;
        case Qt::Key_Menu: return 0x5D;
        case Qt::Key_NumLock: return 0x90;
        case Qt::Key_ScrollLock: return 0x91;
        // Without a native code left and right cannot be told apart: take the left one.
        case Qt::Key_Shift: return 0xA0;
        case Qt::Key_Control: return 0xA2;
        case Qt::Key_Alt: return 0xA4;
        case Qt::Key_AltGr: return 0xA5;
        case Qt::Key_VolumeDown: return 0xAE;
        case Qt::Key_VolumeMute: return 0xAD;
        case Qt::Key_VolumeUp: return 0xAF;
        case Qt::Key_MediaTogglePlayPause:
        case Qt::Key_MediaPlay: return 0xB3;
        case Qt::Key_MediaStop: return 0xB2;
        case Qt::Key_MediaPrevious: return 0xB1;
        case Qt::Key_MediaNext: return 0xB0;
        default: break;
    }
    if (key >= 0 && key < 0x100) return fromCharacter(static_cast<std::uint32_t>(key));
    return 0;
}

std::uint8_t virtualKeyOf(const QKeyEvent& event) {
    if (const std::uint8_t vk = virtualKeyFromKeyCode(event.nativeScanCode())) return vk;
    const quint32 keysym = event.nativeVirtualKey();
    if (keysym != 0) {
        if (const std::uint8_t vk = virtualKeyFromKeysym(keysym)) return vk;
    }
    return virtualKeyFromQtKey(event.key(), (event.modifiers() & Qt::KeypadModifier) != 0);
}

}  // namespace orvane
