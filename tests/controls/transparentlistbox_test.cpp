#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "controls/edithelper.h"
#include "controls/transparentlistbox.h"
#include "drawing/resourceimages.h"

namespace orvane {
namespace {

// What the list told its parent, in order.
enum Told : int { kEditBegins, kEditResult, kItemTextChanged };
struct Message {
    int number;  // Told
    int index;
    int value;
    std::u16string text;  // of kItemTextChanged: the previous item text
    bool operator==(const Message&) const = default;
};

// The list's parent: records what the list tells it and paints a pattern
// that a parent-background list must show.
class Parent : public QWidget {
public:
    std::vector<Message> messages;
    QColor paint = QColor(0x20, 0x60, 0xA0);

    // An editor left open ends while the children go, after `messages`.
    ~Parent() override {
        for (QObject* child : children()) child->disconnect(this);
    }
    void listen(CTransparentListBox* list) {
        connect(list, &CTransparentListBox::editBegins, this, [this] { messages.push_back({kEditBegins, 0, 0, {}}); });
        connect(list, &CTransparentListBox::editResult, this,
                [this](int index, int value) { messages.push_back({kEditResult, index, value, {}}); });
        connect(list, &CTransparentListBox::itemTextChanged, this, [this](int row, const QString& old) {
            messages.push_back({kItemTextChanged, row, 0, old.toStdU16String()});
        });
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), paint);
        p.fillRect(QRect(0, 0, width(), 30), Qt::yellow);
    }
};

class ListBoxTest : public ::testing::Test {
protected:
    Parent parent;
    CTransparentListBox* list = new CTransparentListBox(&parent);
    QLineEdit* elsewhere = new QLineEdit(&parent);

    void SetUp() override {
        parent.listen(list);
        parent.resize(300, 400);
        list->setGeometry(20, 20, 113, 120);
        elsewhere->setGeometry(150, 20, 100, 20);
        list->SetFont(16, QStringLiteral("Arial"), Qt::white, QColor(0, 255, 255), true, 2, Qt::black);
        parent.show();
        parent.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    }

    void fill(ListBoxMode mode, std::initializer_list<const char*> items) {
        list->SetMode(mode);
        for (const char* text : items) list->AddString(QString::fromUtf8(text));
    }

    // A double click in the middle of an item, as the person does it: the
    // first click selects the item.
    void doubleClick(int index) {
        const QPoint at = list->itemRectangle(index).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    void typeAndPress(const QString& text, Qt::Key key) {
        ASSERT_NE(list->editor(), nullptr);
        QLineEdit* editor = list->editor();
        editor->selectAll();
        if (text.isEmpty()) QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::vector<int> numbers() const {
        std::vector<int> out;
        for (const Message& m : parent.messages) out.push_back(m.number);
        return out;
    }
};

TEST_F(ListBoxTest, KeyItemsOfTheEventListOpenNoEditorAndDelayItemsEditTheirNumber) {
    fill(ListBoxMode::DelayValues, {"MsLB dn", "500 ms", "A up"});
    doubleClick(0);
    EXPECT_FALSE(list->editing());
    EXPECT_TRUE(parent.messages.empty());
    doubleClick(1);
    ASSERT_TRUE(list->editing());
    EXPECT_EQ(list->editor()->text(), QStringLiteral("500"));
    EXPECT_EQ(list->itemBeingEdited(), 1);
    EXPECT_EQ(numbers(), (std::vector<int>{kEditBegins}));
    // The editor covers the item, 2 pixels higher and lower.
    EXPECT_EQ(list->editor()->geometry(), list->itemRectangle(1).adjusted(0, -2, 0, 2));
}

TEST_F(ListBoxTest, ADelayOfZeroBecomesTwoAndTooLargeBecomes60000) {
    struct Row { const char* typed; const char* shown; int value; };
    const Row rows[] = {{"0", "2 ms", 2}, {"70000", "60000 ms", 60000}, {"", "2 ms", 2}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        list->clear();
        parent.messages.clear();
        fill(ListBoxMode::DelayValues, {"A dn", "50 ms", "A up"});
        doubleClick(1);
        typeAndPress(QString::fromUtf8(r.typed), Qt::Key_Return);
        EXPECT_FALSE(list->editing());
        EXPECT_EQ(list->GetText(1), QString::fromUtf8(r.shown));
        ASSERT_EQ(parent.messages.size(), 3u);
        EXPECT_EQ(parent.messages[0].number, kEditBegins);
        EXPECT_EQ(parent.messages[1], (Message{kEditResult, 1, r.value, {}}));
        EXPECT_EQ(parent.messages[2], (Message{kItemTextChanged, 1, 0, u"50 ms"}));
        EXPECT_EQ(list->GetCurSel(), 1);
    }
}

TEST_F(ListBoxTest, AnUnchangedDelayStillReportsItsValueButNotAChangedText) {
    fill(ListBoxMode::DelayValues, {"A dn", "50 ms", "A up"});
    doubleClick(1);
    typeAndPress(QStringLiteral("50"), Qt::Key_Enter);
    EXPECT_EQ(numbers(), (std::vector<int>{kEditBegins, kEditResult}));
    EXPECT_EQ(parent.messages[1].value, 50);
}

TEST_F(ListBoxTest, EscapeKeepsTheTextAndSendsNothingMore) {
    fill(ListBoxMode::DelayValues, {"A dn", "50 ms", "A up"});
    doubleClick(1);
    typeAndPress(QStringLiteral("900"), Qt::Key_Escape);
    EXPECT_FALSE(list->editing());
    EXPECT_EQ(list->GetText(1), QStringLiteral("50 ms"));
    EXPECT_EQ(numbers(), (std::vector<int>{kEditBegins}));
}

TEST_F(ListBoxTest, FocusLossKeepsTheEditLikeEnter) {
    fill(ListBoxMode::Plain, {"Macro_001", "Macro_002"});
    doubleClick(0);
    ASSERT_TRUE(list->editing());
    list->editor()->setText(QStringLiteral("Jump"));
    elsewhere->setFocus(Qt::MouseFocusReason);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(list->editing());
    EXPECT_EQ(list->GetText(0), QStringLiteral("Jump"));
    EXPECT_TRUE(elsewhere->hasFocus());  // the list did not take the focus back
    EXPECT_EQ(parent.messages.back(), (Message{kItemTextChanged, 0, 0, u"Macro_001"}));
}

TEST_F(ListBoxTest, ScrollingWheelAndResizeKeepTheEditFirst) {
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind);
        list->clear();
        parent.messages.clear();
        list->setGeometry(20, 20, 113, 120);
        fill(ListBoxMode::DelayValues, {"40 ms", "A dn", "B dn", "C dn", "D dn", "E dn", "F dn", "G dn",
                                        "H dn", "I dn", "J dn", "K dn", "L dn"});
        list->verticalScrollBar()->setValue(0);
        doubleClick(0);
        ASSERT_TRUE(list->editing());
        list->editor()->setText(QStringLiteral("75"));
        if (kind == 0) {
            list->verticalScrollBar()->setValue(3);
        } else if (kind == 1) {
            QWheelEvent wheel(QPointF(10, 10), list->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list->viewport(), &wheel);
        } else {
            list->resize(113, 200);
        }
        EXPECT_FALSE(list->editing());
        EXPECT_EQ(list->GetText(0), QStringLiteral("75 ms"));
        EXPECT_EQ(numbers(), (std::vector<int>{kEditBegins, kEditResult, kItemTextChanged}));
    }
}

TEST_F(ListBoxTest, APlainEditSendsNothingWhenUnchangedAndTheOldTextWhenChanged) {
    fill(ListBoxMode::Plain, {"Macro_001", "Macro_002"});
    doubleClick(1);
    typeAndPress(QStringLiteral("Macro_002"), Qt::Key_Return);
    EXPECT_EQ(numbers(), (std::vector<int>{kEditBegins}));
    doubleClick(1);
    typeAndPress(QStringLiteral("Run"), Qt::Key_Return);
    EXPECT_EQ(parent.messages.back(), (Message{kItemTextChanged, 1, 0, u"Macro_002"}));
    EXPECT_EQ(list->GetText(1), QStringLiteral("Run"));
    EXPECT_EQ(list->count(), 2);
}

TEST_F(ListBoxTest, ASortedParentBackgroundListReportsWhereTheRenamedItemWent) {
    list->SetSorted(true);
    fill(ListBoxMode::ParentBackground, {"alpha", "beta", "gamma"});
    list->SetEditLimit(5);
    doubleClick(0);
    QTest::keyClicks(list->editor(), QStringLiteral("zzzzzzzz"));  // the limit holds it to five
    QTest::keyClick(list->editor(), Qt::Key_Return);
    EXPECT_EQ(list->GetText(2), QStringLiteral("zzzzz"));
    EXPECT_EQ(list->GetCurSel(), 2);
    ASSERT_EQ(parent.messages.size(), 3u);
    EXPECT_EQ(parent.messages[1], (Message{kItemTextChanged, 2, 0, u"alpha"}));
    EXPECT_EQ(parent.messages[2], (Message{kEditResult, 0, 2, {}}));
}

TEST_F(ListBoxTest, ClickOutsideTheSelectedItemOrWithoutSelectionOpensNothing) {
    fill(ListBoxMode::Plain, {"Macro_001"});
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 100));  // below the items
    EXPECT_FALSE(list->editing());
    EXPECT_TRUE(parent.messages.empty());
}

TEST_F(ListBoxTest, EnterAndEscapeOfTheEditorNeverReachTheDialog) {
    QDialog dialog;
    auto* inner = new CTransparentListBox(&dialog);
    inner->setGeometry(0, 0, 113, 100);
    inner->SetFont(16, QStringLiteral("Arial"), Qt::white, Qt::cyan, true, 2, Qt::black);
    inner->AddString(QStringLiteral("Macro_001"));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const QPoint at = inner->itemRectangle(0).center();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QTest::mouseClick(inner->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(inner->viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(inner->editing());
        QTest::keyClick(inner->editor(), key);
        EXPECT_FALSE(inner->editing());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), 0);
    }
}

TEST_F(ListBoxTest, OnlyThePersonsSelectionChangesAreAnnounced) {
    fill(ListBoxMode::Plain, {"a", "b", "c"});
    QSignalSpy spy(list, &CTransparentListBox::userSelectionChanged);
    list->SetCurSel(2);
    list->SetCurSel(-1);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(list->GetCurSel(), -1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->itemRectangle(1).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 2);
}

// ---- painting ------------------------------------------------------------------

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 8 && std::abs(qGreen(a) - qGreen(b)) < 8 && std::abs(qBlue(a) - qBlue(b)) < 8;
}

bool anyPixel(const QImage& image, const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (near(image.pixel(x, y), colour)) return true;
    return false;
}

TEST_F(ListBoxTest, DelayListsDrawTheStateIconsAtTheRightOverBitmap145) {
    fill(ListBoxMode::DelayValues, {"A dn", "40 ms", "A up", "plain"});
    list->SetCurSel(0);
    const QImage shot = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int width = list->viewport()->width();
    struct Row { int index; int bitmap; };
    for (const Row& r : {Row{0, kBitmapPressIcon}, Row{1, kBitmapDelayIcon}, Row{2, kBitmapReleaseIcon}}) {
        SCOPED_TRACE(r.index);
        const QImage icon = resourceImage(r.bitmap);
        const QRect rect = list->itemRectangle(r.index);
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                ASSERT_EQ(shot.pixel(width - 20 + x, rect.top() + y), icon.pixel(x, y));
    }
    // The selected item is cyan, the others white; the rest is the background.
    EXPECT_TRUE(anyPixel(shot, list->itemRectangle(0).adjusted(0, 0, -30, 0), qRgb(0, 255, 255)));
    EXPECT_FALSE(anyPixel(shot, list->itemRectangle(2).adjusted(0, 0, -30, 0), qRgb(0, 255, 255)));
    EXPECT_TRUE(anyPixel(shot, list->itemRectangle(2).adjusted(0, 0, -30, 0), qRgb(255, 255, 255)));
    const QImage background = resourceImage(kBitmapListBackground);
    EXPECT_EQ(shot.pixel(width - 3, shot.height() - 3), background.pixel(7 + width - 3, 22 + shot.height() - 3));
    EXPECT_FALSE(anyPixel(shot, list->itemRectangle(3).adjusted(width - 20, 0, 0, 0), qRgb(255, 255, 255)));
}

TEST_F(ListBoxTest, ParentBackgroundListsShowTheParentsPixelsUnderThem) {
    fill(ListBoxMode::ParentBackground, {"x"});
    const QImage shot = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The parent's yellow band ends at y 30, 10 pixels into the list.
    EXPECT_EQ(shot.pixel(list->width() - 2, 2), qRgb(255, 255, 0));
    EXPECT_EQ(shot.pixel(list->width() - 2, 60), parent.paint.rgb());
    // Moving the list takes a new snapshot.
    list->move(20, 0);
    const QImage moved = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(moved.pixel(list->width() - 2, 25), qRgb(255, 255, 0));
}

}  // namespace
}  // namespace orvane
