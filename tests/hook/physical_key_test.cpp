#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <vector>

#include "hook/keyhook.h"
#include "platform/privatemessage.h"

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

struct CaptureWindow : QWidget {
    std::vector<std::uintptr_t> captured;
    bool event(QEvent* e) override {
        if (e->type() == PrivateMessageEvent::eventType()) {
            captured.push_back(static_cast<PrivateMessageEvent*>(e)->wParam());
            return true;
        }
        return QWidget::event(e);
    }
};

TEST(PhysicalKeys, AKeyWithoutAnyCodeStillArrives) {
    CaptureWindow window;
    QWidget focused;
    ASSERT_TRUE(installhook(&window, 0));
    QKeyEvent unknown(QEvent::KeyPress, 0x01001234, Qt::NoModifier, 250, 0x1008ff5d, 0);
    QApplication::sendEvent(&focused, &unknown);
    QCoreApplication::processEvents();
    removehook();
    EXPECT_EQ(window.captured, std::vector<std::uintptr_t>{0});
}

}  // namespace
}  // namespace orvane
