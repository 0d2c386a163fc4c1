#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <vector>

#include "platform/desktop/keyhook.h"

namespace orvane {
namespace {

// A window that keeps what the capture told it, in order.
struct CaptureWindow : QWidget {
    std::vector<std::pair<std::uint8_t, bool>> captured;  // code, released
    bool capture(int mode) {
        KeyCapture* capture = installhook(this, mode);
        if (capture == nullptr) return false;
        connect(capture, &KeyCapture::keyCaptured, this,
                [this](quint8 code, bool released) { captured.emplace_back(code, released); }, Qt::QueuedConnection);
        return true;
    }
};

QKeyEvent key(QEvent::Type type, int qtKey, quint32 keysym, bool repeat = false) {
    return QKeyEvent(type, qtKey, Qt::NoModifier, 0, keysym, 0, QString(), repeat);
}

void deliver(QWidget& target, QKeyEvent event) {
    QApplication::sendEvent(&target, &event);
}

TEST(VirtualKeys, NativeCodesTellLeftFromRight) {
    struct Case { quint32 keysym; int qtKey; std::uint8_t vk; };
    const Case cases[] = {
        {0, 0x01001234, 0},                    // unknown key, no native code
        {0xffe3, Qt::Key_Control, 0xA2}, {0xffe4, Qt::Key_Control, 0xA3},
        {0xffe1, Qt::Key_Shift, 0xA0},   {0xffe2, Qt::Key_Shift, 0xA1},
        {0xff8d, Qt::Key_Enter, 0x6C},   {0xff0d, Qt::Key_Return, 0x0D},
        {'a', Qt::Key_A, 0x41},          {'Q', Qt::Key_Q, 0x51},
        {0xffc9, Qt::Key_F12, 0x7B},     {0xffb1, Qt::Key_1, 0x61},
        {';', Qt::Key_Semicolon, 0xBA},  {'\\', Qt::Key_Backslash, 0xDC},
        {0x1008ff13, Qt::Key_VolumeUp, 0xAF},
        {0, Qt::Key_Control, 0xA2},      // offscreen: no native code, the left one
        {0, Qt::Key_Escape, 0x1B},
    };
    for (const auto& c : cases) {
        const QKeyEvent e = key(QEvent::KeyPress, c.qtKey, c.keysym);
        EXPECT_EQ(virtualKeyOf(e), c.vk) << std::hex << c.keysym << " " << c.qtKey;
    }
    // Keypad digits without native codes still give keypad codes.
    const QKeyEvent kp(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(virtualKeyOf(kp), 0x65);
}

TEST(KeyHook, ModeOneSendsPressesAndReleasesWithRepeatsAsPresses) {
    CaptureWindow window;
    QWidget focused;
    ASSERT_TRUE(window.capture(1));
    deliver(focused, key(QEvent::KeyPress, Qt::Key_Control, 0xffe4));
    deliver(focused, key(QEvent::KeyPress, Qt::Key_Control, 0xffe4, true));
    deliver(focused, key(QEvent::KeyRelease, Qt::Key_Control, 0xffe4, true));  // repeat's release
    deliver(focused, key(QEvent::KeyRelease, Qt::Key_Control, 0xffe4));
    QCoreApplication::processEvents();
    removehook();
    ASSERT_EQ(window.captured.size(), 3u);
    EXPECT_EQ(window.captured[0], (std::pair<std::uint8_t, bool>{0xA3, false}));
    EXPECT_EQ(window.captured[1], (std::pair<std::uint8_t, bool>{0xA3, false}));
    EXPECT_EQ(window.captured[2], (std::pair<std::uint8_t, bool>{0xA3, true}));
}

TEST(KeyHook, ModeZeroSendsOneMessagePerKeyAndRemoveStopsCapture) {
    CaptureWindow window;
    QWidget focused;
    EXPECT_FALSE(installhook(nullptr, 0));
    ASSERT_TRUE(window.capture(0));
    deliver(focused, key(QEvent::KeyPress, Qt::Key_A, 'a'));
    deliver(focused, key(QEvent::KeyPress, Qt::Key_A, 'a', true));
    deliver(focused, key(QEvent::KeyRelease, Qt::Key_A, 'a'));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.captured.size(), 1u);
    removehook();
    removehook();  // harmless twice
    deliver(focused, key(QEvent::KeyPress, Qt::Key_B, 'b'));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.captured.size(), 1u);
}

TEST(PhysicalKeys, AKeyWithoutAnyCodeStillArrives) {
    CaptureWindow window;
    QWidget focused;
    ASSERT_TRUE(window.capture(0));
    QKeyEvent unknown(QEvent::KeyPress, 0x01001234, Qt::NoModifier, 250, 0x1008ff5d, 0);
    QApplication::sendEvent(&focused, &unknown);
    QCoreApplication::processEvents();
    removehook();
    ASSERT_EQ(window.captured.size(), 1u);
    EXPECT_EQ(window.captured[0].first, 0);
}

}  // namespace
}  // namespace orvane
