#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/orvanedlg.h"
#include "keymap/keymap.h"
#include "keymap/keytables.h"
#include "mainwindow/keypicturetable.h"
#include "platform/hostshell.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "virtualkeyboard/transcriptsleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace orvane {
namespace {

constexpr std::uint8_t kQ = 42;

struct QuietShell : HostShell {
    bool startDetached(const std::string&, const std::string&) override { return true; }
    bool openWithDesktop(const std::string&) override { return true; }
    bool isExecutableFile(const std::string&) override { return false; }
};

template <typename Pred>
bool spinUntil(Pred pred) {
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return pred();
}

// A click on a key of the picture, with what the person does in the panel
// while it runs modally.
class KeyClickTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<COrvaneDlg>(COrvaneDlg::Environment{
            *image, backend, sleeper, shell, dialogs, {dir.path(), dir.path()}, kLanguageEnglish, false});
        window->OnInitDialog();
        ASSERT_TRUE(spinUntil([&] { return !window->link().readAllThreadRunning(); }));
        ASSERT_TRUE(spinUntil([&] { return std::filesystem::exists(dir / "keymap.bin"); }));
        QCoreApplication::processEvents();
    }
    void TearDown() override { window.reset(); }

    void clickKey(std::uint8_t position, std::function<void(CKeyMap&)> inPanel) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* panel = qobject_cast<CKeyMap*>(QApplication::activeModalWidget());
            ASSERT_NE(panel, nullptr);
            ran = true;
            inPanel(*panel);
            if (panel->isVisible()) panel->done(QDialog::Rejected);  // never left open by a failed step
        });
        const KeyPicture& k = KeyPictureTable[position];
        const QPoint at(kKeyboardPictureX + (k.left + k.right) / 2, kKeyboardPictureY + (k.top + k.bottom) / 2);
        // The release on the key, as the window hands it to its dispatch.
        window->controller().onLButtonDown();
        window->controller().onLButtonUp(at.x(), at.y());
        EXPECT_TRUE(ran);
    }
    static void type(int qtKey, quint32 scanCode, quint32 keysym) {
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                                 : QApplication::activeModalWidget();
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, scanCode, keysym, 0);
        QApplication::sendEvent(target, &press);
        QCoreApplication::processEvents();
    }
    static void click(CKeyMap& panel, int x, int y) { QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(x, y)); }
    KeyAssignment& record() { return image->working.keyAssignments.records[kQ]; }
    std::array<std::uint8_t, 4> entry(const MouseData& data) const {
        const auto e = deviceKeyEntry(data, KeyPositionEntryMap[kQ]);
        return {e[0], e[1], e[2], e[3]};
    }

    test::TempDir dir;
    std::shared_ptr<VirtualKeyboard> keyboard = std::make_shared<VirtualKeyboard>();
    VirtualHidBackend backend{keyboard};
    TranscriptSleeper sleeper{*keyboard};
    QuietShell shell;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<COrvaneDlg> window;
};

TEST_F(KeyClickTest, LeftCtrlThenCOnQReachesTheKeyboardOnSave) {
    clickKey(kQ, [](CKeyMap& panel) {
        EXPECT_EQ(panel.panel().currentKeyLabel(), u"Q ");
        // Clicking into the combination box (its click is tested with the panel alone).
        panel.panel().onBoxFocused(CaptureBox::Combine);
        type(Qt::Key_Control, 37, 0xffe3);
        type(Qt::Key_C, 54, 'c');
        EXPECT_EQ(panel.combineBox()->text(), QStringLiteral("LCtrl + C "));
        click(panel, 280, 256);  // Save
    });
    EXPECT_EQ(window->state().SelectedKeyPosition, kQ);  // drawn highlighted
    EXPECT_EQ(image->modifiedKeyFlags[kQ], 1);
    EXPECT_EQ(record().mapType, TYPE_COMBINE);
    EXPECT_EQ(record().keyCount, 2);
    EXPECT_EQ(entry(image->working.mouseData), (std::array<std::uint8_t, 4>{0, 0xE0, 0x06, 0}));
    const auto file = test::readBytes(dir / "keymap.bin");
    const std::size_t at = kMouseDataSize + kQ * kKeyAssignmentSize;
    EXPECT_EQ(file.at(at + 1), TYPE_COMBINE);
    EXPECT_EQ(file.at(at + 2), 0xA2);
    EXPECT_EQ(file.at(at + 3), 0x43);
    window->controller().save();
    EXPECT_EQ(entry(keyboard->memory()), (std::array<std::uint8_t, 4>{0, 0xE0, 0x06, 0}));
}

TEST_F(KeyClickTest, ATabSwitchThenCancelLeavesTheKeyAsItWas) {
    const std::uint8_t typeBefore = record().mapType;
    clickKey(kQ, [](CKeyMap& panel) {
        click(panel, 280, 44);   // Advance: only the panel's copy changes
        click(panel, 225, 256);  // Cancel
    });
    EXPECT_EQ(record().mapType, typeBefore);
    EXPECT_EQ(entry(image->working.mouseData), (std::array<std::uint8_t, 4>{0, 0, 0x14, 0}));
    clickKey(kQ, [this, typeBefore](CKeyMap& panel) {
        EXPECT_EQ(record().mapType, typeBefore);
        EXPECT_EQ(panel.panel().page(), kPageSingle);
        click(panel, 280, 44);
        click(panel, 310, 10);  // close button
    });
    EXPECT_EQ(record().mapType, typeBefore);
    EXPECT_EQ(image->modifiedKeyFlags[kQ], 0);
}

TEST_F(KeyClickTest, DisableThenDefaultOnA) {
    const std::uint8_t a = 63;
    clickKey(a, [](CKeyMap& panel) {
        click(panel, 24, 255);   // Disable
        click(panel, 280, 256);  // Save with both boxes empty
    });
    const std::size_t slot = deviceSlotOfPosition(a);
    EXPECT_FALSE(isKeyEnabled(image->working.mouseData, slot));
    EXPECT_EQ(image->modifiedKeyFlags[a], 1);
    clickKey(a, [](CKeyMap& panel) {
        EXPECT_EQ(panel.panel().regions()[kKeyMapDisable].BmpIndex, 1);
        click(panel, 170, 256);  // Default enables whatever the box shows
    });
    EXPECT_TRUE(isKeyEnabled(image->working.mouseData, slot));
}

}  // namespace
}  // namespace orvane
