// The key's place on the keyboard, not what the layout prints on it: X and
// Wayland report key code = Linux input code + 8. A macro plays back the key
// at a place, so recording and assigning go by the place too; Shift+Tab or a
// letter of a non-US layout then gives the key that was pressed.
#include <array>
#include <cstdint>

#include "platform/desktop/keyhook.h"

namespace orvane {
namespace {

constexpr std::array<std::uint8_t, 256> buildTable() {
    std::array<std::uint8_t, 256> t{};
    auto run = [&t](int firstCode, const char* keys) {
        for (int i = 0; keys[i] != 0; ++i) t[static_cast<std::size_t>(firstCode + i)] = static_cast<std::uint8_t>(keys[i]);
    };
    t[9] = 0x1B;                            // Esc
    run(10, "1234567890");
    t[20] = 0xBD; t[21] = 0xBB; t[22] = 0x08; t[23] = 0x09;  // - = Backspace Tab
    run(24, "QWERTYUIOP");
    t[34] = 0xDB; t[35] = 0xDD; t[36] = 0x0D; t[37] = 0xA2;  // [ ] Enter left Ctrl
    run(38, "ASDFGHJKL");
    t[47] = 0xBA; t[48] = 0xDE; t[49] = 0xC0; t[50] = 0xA0; t[51] = 0xDC;  // ; ' ` left Shift backslash
    run(52, "ZXCVBNM");
    t[59] = 0xBC; t[60] = 0xBE; t[61] = 0xBF; t[62] = 0xA1;  // , . / right Shift
    t[63] = 0x6A; t[64] = 0xA4; t[65] = 0x20; t[66] = 0x14;  // keypad * left Alt Space Caps Lock
    for (int f = 0; f < 10; ++f) t[static_cast<std::size_t>(67 + f)] = static_cast<std::uint8_t>(0x70 + f);  // F1..F10
    t[77] = 0x90; t[78] = 0x91;             // Num Lock, Scroll Lock
    // Keypad: 7 8 9 - 4 5 6 + 1 2 3 0 .
    constexpr std::uint8_t keypad[] = {0x67, 0x68, 0x69, 0x6D, 0x64, 0x65, 0x66, 0x6B, 0x61, 0x62, 0x63, 0x60, 0x6E};
    for (std::size_t i = 0; i < sizeof keypad; ++i) t[79 + i] = keypad[i];
    t[94] = 0xE2;                           // the key left of Z on ISO keyboards
    t[95] = 0x7A; t[96] = 0x7B;             // F11, F12
    t[104] = 0x6C; t[105] = 0xA3; t[106] = 0x6F; t[107] = 0x2C; t[108] = 0xA5;  // keypad Enter, right Ctrl, keypad /, Print, right Alt
    t[110] = 0x24; t[111] = 0x26; t[112] = 0x21; t[113] = 0x25; t[114] = 0x27;  // Home Up PgUp Left Right
    t[115] = 0x23; t[116] = 0x28; t[117] = 0x22; t[118] = 0x2D; t[119] = 0x2E;  // End Down PgDn Insert Delete
    t[121] = 0xAD; t[122] = 0xAE; t[123] = 0xAF; t[127] = 0x13;                 // Mute, Volume -, Volume +, Pause
    t[133] = 0x5B; t[134] = 0x5C; t[135] = 0x5D;                                // left / right Windows, Menu
    t[171] = 0xB0; t[172] = 0xB3; t[173] = 0xB1; t[174] = 0xB2;                 // next, play, previous, stop
    return t;
}

constexpr std::array<std::uint8_t, 256> kByKeyCode = buildTable();

}  // namespace

std::uint8_t virtualKeyFromKeyCode(std::uint32_t keyCode) {
    return keyCode < kByKeyCode.size() ? kByKeyCode[keyCode] : 0;
}

}  // namespace orvane
