#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/desktop/keyhook.h"

namespace orvane {
namespace {

// The key code decides when the platform reports one: what the layout prints
// on the key (the keysym) does not change which key was pressed.
TEST(PhysicalKeys, TheKeysPlaceWinsOverItsLayout) {
    struct Case { const char* what; quint32 keyCode; quint32 keysym; int qtKey; Qt::KeyboardModifiers mods; std::uint8_t vk; };
    const Case cases[] = {
        {"Shift+Tab gives the left-tab keysym", 23, 0xfe20, Qt::Key_Backtab, Qt::ShiftModifier, 0x09},
        {"German z on the US Y key", 29, 'z', Qt::Key_Z, {}, 0x59},
        {"French a on the US Q key", 24, 'a', Qt::Key_A, {}, 0x51},
        {"o umlaut on the semicolon key", 47, 0xf6, 0xd6, {}, 0xBA},
        {"shifted 2 prints a quote", 11, '"', Qt::Key_QuoteDbl, Qt::ShiftModifier, 0x32},
        {"right Ctrl", 105, 0xffe4, Qt::Key_Control, {}, 0xA3},
        {"keypad 7 with Num Lock off", 79, 0xff95, Qt::Key_Home, Qt::KeypadModifier, 0x67},
        {"keypad Enter", 104, 0xff8d, Qt::Key_Enter, Qt::KeypadModifier, 0x6C},
        {"ISO key left of Z", 94, '<', Qt::Key_Less, {}, 0xE2},
        {"Up arrow", 111, 0xff52, Qt::Key_Up, {}, 0x26},
        {"F12", 96, 0xffc9, Qt::Key_F12, {}, 0x7B},
        // Without a known key code the keysym, then Qt's key decide.
        {"unknown key code, keysym known", 250, 'a', Qt::Key_A, {}, 0x41},
        {"no key code at all", 0, 0xffe1, Qt::Key_Shift, {}, 0xA0},
        {"nothing native", 0, 0, Qt::Key_Escape, {}, 0x1B},
        {"key code past any key", 4000, 0, 0x01001234, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QKeyEvent e(QEvent::KeyPress, c.qtKey, c.mods, c.keyCode, c.keysym, 0);
        EXPECT_EQ(virtualKeyOf(e), c.vk);
    }
}

TEST(PhysicalKeys, EveryLetterAndDigitRowKeyHasItsUsCode) {
    const char* rows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const quint32 first[] = {10, 24, 38, 52};
    for (int r = 0; r < 4; ++r) {
        for (int i = 0; rows[r][i] != 0; ++i) {
            EXPECT_EQ(virtualKeyFromKeyCode(first[r] + static_cast<quint32>(i)),
                      static_cast<std::uint8_t>(rows[r][i]));
        }
    }
    EXPECT_EQ(virtualKeyFromKeyCode(8), 0);  // below the first key
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST(PhysicalKeys, SymbolsWithoutACodeAreThePhysicalKey) {
    struct Case { const char* what; int qtKey; quint32 scanCode, keysym; std::uint8_t vk; };
    const Case cases[] = {
        {"Shift+Tab", Qt::Key_Backtab, 23, 0xfe20, 0x09},
        {"Alt+Print", Qt::Key_SysReq, 107, 0xff15, 0x2C},
        {"Ctrl+Pause", Qt::Key_Pause, 127, 0xff6b, 0x13},
        {"German o umlaut", Qt::Key_Odiaeresis, 47, 0xf6, 0xBA},
        {"Czech ě on the 2 key", 0x011b, 11, 0x1ec, 0x32},
        {"the place wins over the symbol", Qt::Key_Z, 29, 'z', 0x59},  // German Z on the Y key
        {"unknown symbol and place", 0x01001234, 250, 0x1008ff5d, 0},
    };
    for (const Case& c : cases) {
        const QKeyEvent e(QEvent::KeyPress, c.qtKey, Qt::NoModifier, c.scanCode, c.keysym, 0);
        EXPECT_EQ(virtualKeyOf(e), c.vk) << c.what;
    }
    EXPECT_EQ(virtualKeyFromKeyCode(37), 0xA2);
    EXPECT_EQ(virtualKeyFromKeyCode(105), 0xA3);
    EXPECT_EQ(virtualKeyFromKeyCode(0), 0);
}

}  // namespace
}  // namespace orvane
