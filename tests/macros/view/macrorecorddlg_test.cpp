#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "controls/transparentlistbox.h"
#include "platform/desktop/keyhook.h"
#include "keyboardstate/keylabels.h"
#include "macros/view/macrorecorddlg.h"
#include "macroskin.h"
#include "support/scripteddialogs.h"

namespace orvane {
namespace {

using Items = std::vector<QString>;

// Dialogs that run a step of the test while a question is open.
struct DialogsWithStep : test::ScriptedDialogs {
    std::function<void()> whileAsking;
    bool confirm(std::u16string_view text, std::u16string_view caption) override {
        if (whileAsking) whileAsking();
        return ScriptedDialogs::confirm(text, caption);
    }
};

QKeyEvent keyEvent(QEvent::Type type, quint32 keyCode, quint32 keysym, int qtKey, Qt::KeyboardModifiers mods = {}) {
    return QKeyEvent(type, qtKey, mods, keyCode, keysym, 0);
}

class RecordDlg : public ::testing::Test {
protected:
    test::TempDir dir;
    DialogsWithStep dialogs;
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
    std::unique_ptr<CMacroRecordDlg> dlg;
    QLineEdit elsewhere;  // where typed keys go unless the capture takes them

    void SetUp() override { test::writeMacroSkin(dir.path()); }
    void TearDown() override {
        dlg.reset();
        removehook();
    }

    void addMacro(std::size_t slot, std::u16string name, std::vector<std::uint8_t> host = {}) {
        MacroRecord& r = store->records[slot];
        setFixedText(r.name, name);
        r.loopCount = 1;
        for (std::size_t i = 0; i < host.size(); ++i) r.hostEvents[i] = r.deviceEvents[i] = host[i];
        for (std::size_t i = 1; i < host.size(); i += 2) r.deviceEvents[i] = keyUsage(host[i]);
    }
    void open(std::int16_t language = kLanguageEnglish) {
        dlg = std::make_unique<CMacroRecordDlg>(
            CMacroRecordDlg::Environment{*store, dir.path(), language, dialogs, nullptr});
        dlg->OnInitDialog();
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    }
    void click(int x, int y) { QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, QPoint(x, y)); }
    void record() { click(300, 110); }
    // A key typed somewhere in the application, press and release, as the
    // desktop reports it.
    void type(quint32 keyCode, quint32 keysym, int qtKey, Qt::KeyboardModifiers mods = {}) {
        QKeyEvent press = keyEvent(QEvent::KeyPress, keyCode, keysym, qtKey, mods);
        QApplication::sendEvent(&elsewhere, &press);
        QKeyEvent release = keyEvent(QEvent::KeyRelease, keyCode, keysym, qtKey, mods);
        QApplication::sendEvent(&elsewhere, &release);
        QCoreApplication::processEvents();
    }
    Items items(CTransparentListBox& list) {
        Items out;
        for (int i = 0; i < list.count(); ++i) out.push_back(list.GetText(i));
        return out;
    }
    const MacroRecord& working(std::size_t slot) { return dlg->controller().session().workingStore().records[slot]; }
    void doubleClick(CTransparentListBox& list, int index) {
        const QPoint at = list.itemRectangle(index).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(RecordDlg, OpeningPlacesTheControlsAndShowsTheFirstMacro) {
    addMacro(0, u"First", {0x01, 0x41, 0x81, 0x41});
    addMacro(1, u"Second");
    store->records[0].loopCount = 3;
    open();
    EXPECT_EQ(dlg->size(), QSize(410, 440));
    EXPECT_EQ(dlg->macroList().geometry(), QRect(20, 80, 113, 275));
    EXPECT_EQ(dlg->eventList().geometry(), QRect(150, 80, 113, 275));
    EXPECT_EQ(dlg->loopEdit().geometry(), QRect(296, 331, 84, 18));
    EXPECT_EQ(dlg->macroList().mode(), ListBoxMode::Plain);
    EXPECT_EQ(dlg->eventList().mode(), ListBoxMode::DelayValues);
    EXPECT_EQ(items(dlg->macroList()), (Items{"First", "Second"}));
    EXPECT_EQ(dlg->macroList().GetCurSel(), 0);
    EXPECT_EQ(items(dlg->eventList()), (Items{"A  dn", "A  up"}));
    EXPECT_EQ(dlg->loopEdit().text(), QStringLiteral("3"));
    EXPECT_TRUE(dlg->loopEdit().isEnabled());
    // Choosing the other macro brings its events, loop count and options.
    QTest::mouseClick(dlg->macroList().viewport(), Qt::LeftButton, {}, dlg->macroList().itemRectangle(1).center());
    EXPECT_TRUE(items(dlg->eventList()).empty());
    EXPECT_EQ(dlg->loopEdit().text(), QStringLiteral("1"));
    EXPECT_FALSE(dlg->loopEdit().isEnabled());
}

TEST_F(RecordDlg, RecordingTakesTheKeysPressedWhateverTheLayoutPrintsOnThem) {
    addMacro(0, u"M", {0x01, 0x43, 0x81, 0x43});
    open();
    record();
    type(38, 'a', Qt::Key_A);                                   // A
    type(50, 0xffe1, Qt::Key_Shift);                            // left Shift alone
    type(23, 0xfe20, Qt::Key_Backtab, Qt::ShiftModifier);       // Tab, shifted
    type(29, 'z', Qt::Key_Z);                                   // a German layout's z on the Y key
    EXPECT_TRUE(elsewhere.text().isEmpty());                    // captured keys go nowhere else
    record();  // Stop
    type(39, 's', Qt::Key_S);                                   // not recorded
    const std::vector<std::uint8_t> host{0x01, 0x41, 0x81, 0x41, 0x01, 0xA0, 0x81, 0xA0,
                                         0x01, 0x09, 0x81, 0x09, 0x01, 0x59, 0x81, 0x59, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(working(0).hostEvents.begin(), working(0).hostEvents.begin() + 18), host);
    EXPECT_EQ(working(0).deviceEvents[9], keyUsage(0x09));
    EXPECT_EQ(dlg->eventList().count(), 8);
    EXPECT_EQ(dlg->eventList().GetCurSel(), 7);  // the last recorded item is selected
    EXPECT_FALSE(dlg->controller().session().hookInstalled());
}

TEST_F(RecordDlg, RecordWithoutAMacroShowsTheMessage) {
    open();
    record();
    EXPECT_EQ(dialogs.messages, (std::vector<std::u16string>{u"Please select a Macro file to record \n"}));
    EXPECT_FALSE(dlg->controller().session().recording);
}

TEST_F(RecordDlg, EnterAndEscapeNeverCloseThePanel) {
    addMacro(0, u"M");
    open();
    for (QWidget* target : {static_cast<QWidget*>(dlg.get()), static_cast<QWidget*>(&dlg->loopEdit()),
                            static_cast<QWidget*>(&dlg->macroList())}) {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(target, key);
            EXPECT_TRUE(dlg->isVisible());
            EXPECT_EQ(dlg->result(), 0);
        }
    }
}

TEST_F(RecordDlg, TheDeleteQuestionGetsItsKeysWhileARecordingRuns) {
    addMacro(0, u"M");
    addMacro(1, u"N");
    open();
    record();
    type(38, 'a', Qt::Key_A);
    QLineEdit box;  // stands for the question's own window
    bool capturingWhileAsked = true;
    dialogs.whileAsking = [&] {
        capturingWhileAsked = dlg->controller().session().hookInstalled() && QWidget::keyboardGrabber() == dlg.get();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_S, {}, 39, 's', 0, QStringLiteral("s"));
        QApplication::sendEvent(&box, &press);
        QCoreApplication::processEvents();
    };
    dialogs.answers = {false};  // Cancel: nothing deleted, the recording goes on
    click(100, 380);
    EXPECT_EQ(box.text(), QStringLiteral("s"));
    EXPECT_FALSE(capturingWhileAsked);
    EXPECT_EQ(dlg->eventList().count(), 2);  // "S" was not recorded
    EXPECT_TRUE(dlg->controller().session().recording);
    type(40, 'd', Qt::Key_D);  // capture is back
    EXPECT_EQ(dlg->eventList().count(), 4);
    dialogs.whileAsking = nullptr;
    click(100, 380);  // OK this time: the macro goes and the recording ends
    EXPECT_EQ(items(dlg->macroList()), (Items{"N"}));
    EXPECT_FALSE(dlg->controller().session().hookInstalled());
}

TEST_F(RecordDlg, ANameTypedInPlaceReachesTheStoreBeforeOkReadsIt) {
    addMacro(0, u"Old");
    open();
    doubleClick(dlg->macroList(), 0);
    ASSERT_TRUE(dlg->macroList().editing());
    QTest::keyClicks(dlg->macroList().editor(), QStringLiteral("Jump"));
    click(300, 410);  // OK while the editor is still open
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(fixedText(working(0).name), u"Jump");
    EXPECT_EQ(fixedText(store->records[0].name), u"Old");  // the main window confirms
}

TEST_F(RecordDlg, AnEmptiedNameIsRefusedAndTheListShowsTheStoredOne) {
    addMacro(0, u"Keep");
    open();
    doubleClick(dlg->macroList(), 0);
    dlg->macroList().editor()->clear();
    QTest::keyClick(dlg->macroList().editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(items(dlg->macroList()), (Items{"Keep"}));
    EXPECT_EQ(fixedText(working(0).name), u"Keep");
}

TEST_F(RecordDlg, EditingADelayInPlaceStoresItsNewForm) {
    addMacro(0, u"M", {0x01, 0x41, 0xB2, 0x41});  // A down, 50 ms, A up
    open();
    ASSERT_EQ(items(dlg->eventList()), (Items{"A  dn", "50 ms", "A  up"}));
    doubleClick(dlg->eventList(), 0);  // a key item opens no editor
    EXPECT_FALSE(dlg->eventList().editing());
    doubleClick(dlg->eventList(), 1);
    ASSERT_TRUE(dlg->eventList().editing());
    EXPECT_EQ(dlg->eventList().editor()->text(), QStringLiteral("50"));
    dlg->eventList().editor()->setText(QStringLiteral("300"));
    QTest::keyClick(dlg->eventList().editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(items(dlg->eventList()), (Items{"A  dn", "300 ms", "A  up"}));
    // 300 ms takes the long form: the release grows to four bytes.
    const std::vector<std::uint8_t> host{0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(working(0).hostEvents.begin(), working(0).hostEvents.begin() + 7), host);
}

TEST_F(RecordDlg, StartingAnInPlaceEditEndsTheRecording) {
    addMacro(0, u"M");
    open();
    record();
    ASSERT_TRUE(dlg->controller().session().hookInstalled());
    doubleClick(dlg->macroList(), 0);
    EXPECT_TRUE(dlg->macroList().editing());
    EXPECT_FALSE(dlg->controller().session().recording);
    EXPECT_FALSE(dlg->controller().session().hookInstalled());
    QTest::keyClicks(dlg->macroList().editor(), QStringLiteral("x"));  // the editor gets the keys
    EXPECT_EQ(dlg->macroList().editor()->text(), QStringLiteral("x"));
}

TEST_F(RecordDlg, TheContextMenuOffersEveryCommandAndRunsTheChosenOne) {
    addMacro(0, u"M", {0x01, 0x41, 0x81, 0x41});
    open(kLanguageChinese);
    QTest::mouseClick(dlg->eventList().viewport(), Qt::LeftButton, {}, dlg->eventList().itemRectangle(1).center());
    QStringList top, mouse, left;
    QTimer::singleShot(0, [&] {
        QMenu* menu = dlg->contextMenu();
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) top << a->text();
        QMenu* mouseMenu = menu->actions()[2]->menu();
        ASSERT_NE(mouseMenu, nullptr);
        for (QAction* a : mouseMenu->actions()) mouse << a->text();
        for (QAction* a : mouseMenu->actions()[0]->menu()->actions()) left << a->text();
        QAction* del = menu->actions()[4];
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(del).center());
    });
    QTest::mouseClick(dlg->eventList().viewport(), Qt::RightButton, {}, QPoint(10, 100));
    EXPECT_EQ(top, (QStringList{"在之前开始录入", "在之后开始录入", "插入鼠标按键", "插入延迟", "删除"}));
    EXPECT_EQ(mouse, (QStringList{"左键", "右键", "中健"}));
    EXPECT_EQ(left, (QStringList{"压下", "释放", "单击"}));
    EXPECT_EQ(items(dlg->eventList()), (Items{"A  dn"}));  // the selected "A up" was deleted
    EXPECT_EQ(working(0).hostEvents[2], 0);
}

TEST_F(RecordDlg, InsertAfterTakesTheNextKeyThroughTheCapture) {
    addMacro(0, u"M", {0x01, 0x41, 0x81, 0x41});
    open();
    QTest::mouseClick(dlg->eventList().viewport(), Qt::LeftButton, {}, dlg->eventList().itemRectangle(0).center());
    dlg->controller().onMenuCommand(kCmdInsertAfter);
    ASSERT_EQ(QWidget::keyboardGrabber(), dlg.get());
    type(56, 'b', Qt::Key_B);
    EXPECT_EQ(items(dlg->eventList()), (Items{"A  dn", "B  dn", "B  up", "A  up"}));
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);  // the release ended the insertion
    type(57, 'n', Qt::Key_N);
    EXPECT_EQ(dlg->eventList().count(), 4);
    EXPECT_EQ(working(0).hostEvents[3], 0x42);
}

TEST_F(RecordDlg, HoverRedrawsTheButtonAndTheBackgroundDragsThePanel) {
    open();
    QTest::mouseMove(dlg.get(), QPoint(300, 110));
    EXPECT_EQ(dlg->canvas().pixel(379, 124), test::kRecordOver);
    QTest::mouseMove(dlg.get(), QPoint(5, 250));
    EXPECT_EQ(dlg->canvas().pixel(379, 124), test::kRecordNormal);
    const QPoint start = dlg->pos();
    const auto moveHeld = [&](QPoint local) {
        QMouseEvent move(QEvent::MouseMove, local, dlg->mapToGlobal(local), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(dlg.get(), &move);
    };
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, QPoint(5, 250));
    moveHeld(QPoint(6, 251));   // the drag begins
    moveHeld(QPoint(46, 271));  // and the panel follows
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, QPoint(46, 271));
    EXPECT_NE(dlg->pos(), start);
}

TEST_F(RecordDlg, OkAndCancelEndThePanelAndItsCapture) {
    addMacro(0, u"M");
    open();
    record();
    ASSERT_EQ(QWidget::keyboardGrabber(), dlg.get());
    click(360, 410);  // Cancel
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    EXPECT_FALSE(dlg->controller().session().hookInstalled());
    open();
    click(300, 410);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

}  // namespace
}  // namespace orvane
