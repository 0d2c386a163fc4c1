#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <memory>

#include "controls/vividtree.h"
#include "platform/desktop/keyhook.h"
#include "keyassign/view/keymap.h"
#include "keyboardstate/keytables.h"
#include "settings/settingsfiles.h"
#include "support/scripteddialogs.h"

namespace orvane {
namespace {

constexpr std::uint8_t kQ = 42;

// Dialogs that note whether the panel still held the keyboard while they were open.
struct GrabNotingDialogs : test::ScriptedDialogs {
    std::vector<bool> grabbedAtDialog;
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        grabbedAtDialog.push_back(QWidget::keyboardGrabber() != nullptr);
        ScriptedDialogs::showMessage(text, caption);
    }
    std::optional<std::filesystem::path> openFile(FileRequest& request) override {
        grabbedAtDialog.push_back(QWidget::keyboardGrabber() != nullptr);
        return ScriptedDialogs::openFile(request);
    }
};

class KeyMapWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        image->languageCode = kLanguageEnglish;
        image->working.mouseData.DeviceKeyTable = DefaultDeviceKeyTable;
        image->working.mouseData.KeyEnableMask.fill(0xFF);
        stampKeyCodes(image->working.keyAssignments);
        mainWindow.setGeometry(100, 50, 1000, 645);
        mainWindow.show();
    }
    void TearDown() override { panel.reset(); }
    KeyAssignment& record() { return image->working.keyAssignments.records[kQ]; }
    void open() {
        panel->openPanel(*image, pending, kQ, VirtualKeyDefaults[kQ]);
        QCoreApplication::processEvents();
    }
    // A key typed on the host, as X reports it: Qt key, X key code, keysym.
    void type(int qtKey, quint32 scanCode, quint32 keysym) {
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : panel.get();
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, scanCode, keysym, 0);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, scanCode, keysym, 0);
        QApplication::sendEvent(target, &release);
        QCoreApplication::processEvents();
    }
    void clickPanel(int x, int y) { QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(x, y)); }

    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    PendingAssignment pending;
    GrabNotingDialogs dialogs;
    QWidget mainWindow;
    std::unique_ptr<CKeyMap> panel = std::make_unique<CKeyMap>(dialogs, ORVANE_SKIN_DATA, &mainWindow);
};

TEST_F(KeyMapWindowTest, OpensCentredOnTheRecordsPageWithTheKeyboardCaptured) {
    record().mapType = TYPE_COMBINE;
    record().keyCount = 2;
    record().mapData[0] = 0xA2;
    record().mapData[1] = 0x41;
    open();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->size(), QSize(325, 275));
    EXPECT_EQ(panel->canvas().size(), QSize(325, 275));
    EXPECT_EQ(panel->frameGeometry().center(), mainWindow.frameGeometry().center());
    EXPECT_EQ(panel->combineBox()->text(), QStringLiteral("LCtrl + A "));
    EXPECT_EQ(panel->combineBox()->cursorPosition(), 10);
    EXPECT_TRUE(panel->singleBox()->isVisible());
    EXPECT_FALSE(panel->tree()->isVisible());
    EXPECT_FALSE(panel->macroList()->isVisible());
    EXPECT_EQ(panel->singleBox()->geometry(), QRect(20, 89, 280, 15));
    EXPECT_EQ(QWidget::keyboardGrabber(), panel.get());
    EXPECT_EQ(pending.ItemCountOnList, 2u);
}

TEST_F(KeyMapWindowTest, RealKeyEventsAreCapturedLeftAndRightApart) {
    record().mapType = TYPE_COMBINE;
    record().keyCount = 2;
    record().mapData[0] = 0xA2;
    record().mapData[1] = 0x41;
    open();
    type(Qt::Key_Control, 105, 0xffe4);  // right Ctrl
    EXPECT_EQ(panel->combineBox()->text(), QStringLiteral("LCtrl + A + RCtrl "));
    EXPECT_EQ(pending.CapturedKeys[2], 0xA3);
    type(Qt::Key_Control, 37, 0xffe3);  // left Ctrl starts a new combination
    EXPECT_EQ(panel->combineBox()->text(), QStringLiteral("LCtrl "));
    EXPECT_EQ(pending.CapturedKeys[0], 0xA2);
    // Symbols without a code are the physical key: Shift+Tab, Alt+Print, a German ö.
    type(Qt::Key_Backtab, 23, 0xfe20);
    type(Qt::Key_SysReq, 107, 0xff15);
    EXPECT_EQ(panel->combineBox()->text(), QStringLiteral("LCtrl + Tab + Prscr "));
    type(Qt::Key_Odiaeresis, 47, 0xf6);
    EXPECT_EQ(panel->combineBox()->text(), QStringLiteral("; "));
    // A key the keyboard has no code for is refused with a word, not dropped.
    type(Qt::Key_MediaNext, 171, 0x1008ff17);
    EXPECT_EQ(panel->combineBox()->text(), QStringLiteral("; "));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.grabbedAtDialog, std::vector<bool>{false});
    EXPECT_EQ(QWidget::keyboardGrabber(), panel.get());  // capture resumed
}

TEST_F(KeyMapWindowTest, TabsShowTheirControlsAndSaveEndsWithOk) {
    open();
    clickPanel(200, 44);  // Basic
    EXPECT_TRUE(panel->tree()->isVisible());
    EXPECT_FALSE(panel->singleBox()->isVisible());
    EXPECT_EQ(panel->tree()->GetBackgroundMode(), kTreeBackgroundSolid);
    EXPECT_EQ(panel->tree()->topLevelItemCount(), 9);
    clickPanel(120, 44);  // Macro
    EXPECT_TRUE(panel->macroList()->isVisible());
    EXPECT_FALSE(panel->tree()->isVisible());
    clickPanel(280, 44);  // Advance
    EXPECT_FALSE(panel->macroList()->isVisible());
    EXPECT_FALSE(panel->singleBox()->isVisible());
    clickPanel(200, 44);
    QTreeWidgetItem* search = panel->tree()->topLevelItem(0);
    search->setSelected(true);
    clickPanel(280, 256);  // Save
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->panel().result(), PanelResult::Ok);
    EXPECT_EQ(fixedText(pending.FunctionName), u"Search");
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);  // the hook went with the panel
}

TEST_F(KeyMapWindowTest, CloseButtonCancelAndTheDesktopApplyNothing) {
    for (QPoint at : {QPoint(310, 10), QPoint(225, 256)}) {
        open();
        clickPanel(at.x(), at.y());
        EXPECT_FALSE(panel->isVisible());
        EXPECT_EQ(panel->panel().result(), PanelResult::Cancel);
        EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    }
    open();
    panel->close();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
}

TEST_F(KeyMapWindowTest, EnterAndEscapeNeitherConfirmNorCancel) {
    open();
    removehook();  // without capture the keys reach the panel
    panel->panel().close();
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(panel.get(), &press);
    }
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->panel().result().has_value());
}

TEST_F(KeyMapWindowTest, ClickingIntoABoxChoosesBetweenSingleAndCombination) {
    record().mapType = TYPE_SINGLE;
    record().keyCount = 1;
    record().mapData[0] = 0x41;
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    EXPECT_EQ(panel->singleBox()->text(), QStringLiteral("A "));
    QTest::mouseClick(panel->combineBox(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pending.mapType, TYPE_COMBINE);
    EXPECT_EQ(panel->singleBox()->text(), QString());
    // Focus coming back to the box from elsewhere (a window switch) changes nothing.
    type(Qt::Key_B, 56, 'b');
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(panel->combineBox(), &back);
    EXPECT_EQ(panel->combineBox()->text(), QStringLiteral("B "));
    EXPECT_EQ(pending.ItemCountOnList, 1u);
}

TEST_F(KeyMapWindowTest, ChoosersPauseTheCaptureAndThePictureShowsTheChoice) {
    open();
    clickPanel(280, 44);
    dialogs.files.push_back(std::filesystem::path("/home/a/Music/song.mp3"));
    clickPanel(270, 75);
    EXPECT_EQ(dialogs.grabbedAtDialog, std::vector<bool>{false});
    EXPECT_EQ(QWidget::keyboardGrabber(), panel.get());
    EXPECT_EQ(pending.mapType, TYPE_PLAY_SOUND);
    // Row 0's radio shows the lit picture, row 1's the plain one.
    SkinImages skin(QStringLiteral(ORVANE_SKIN_DATA "/png/english/Custom/"));
    const QImage lit = skin.image(u"enable.png");
    const QImage plain = skin.image(u"disable.png");
    ASSERT_FALSE(lit.isNull());
    ASSERT_NE(lit.pixel(5, 5), plain.pixel(5, 5));
    EXPECT_EQ(panel->canvas().pixel(15 + 5, 72 + 5), lit.pixel(5, 5));
    EXPECT_EQ(panel->canvas().pixel(15 + 5, 102 + 5), plain.pixel(5, 5));
    // The "Disable" box follows its state.
    clickPanel(24, 255);
    EXPECT_EQ(panel->canvas().pixel(19 + 5, 251 + 5), lit.pixel(5, 5));
}

}  // namespace
}  // namespace orvane
