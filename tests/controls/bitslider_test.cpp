#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "controls/bitslider.h"
#include "controls/model/slidergeometry.h"

namespace orvane {
namespace {


QRect groove(const CBitSlider& s) {
    const SliderRect c = sliderChannel(s.width(), s.height());
    return QRect(QPoint(c.left, c.top), QPoint(c.right, c.bottom - 1));
}

TEST(BitSlider, ClickHalfwayGoesToTheHigherPosition) {
    CBitSlider slider;
    slider.resize(220, 17);
    slider.setRange(0, 4);
    const QRect h = groove(slider);
    const int w = h.right() - h.left();
    EXPECT_EQ(slider.positionForClick(h.left()), 0);
    EXPECT_EQ(slider.positionForClick(h.left() + w), 4);
    // Wherever 4d / w falls exactly on a half, the higher position wins;
    // just below a half, the lower one.
    int halves = 0;
    for (int d = 1; d < w; ++d) {
        const int twice = 2 * 4 * d;
        if (twice % w == 0 && (twice / w) % 2 == 1) {
            ++halves;
            EXPECT_EQ(slider.positionForClick(h.left() + d), (twice / w + 1) / 2) << d;
        }
        if ((twice + 1) % w == 0 && ((twice + 1) / w) % 2 == 1) {
            EXPECT_EQ(slider.positionForClick(h.left() + d), ((twice + 1) / w - 1) / 2) << d;
        }
    }
    if (halves == 0) {
        // The style's groove width has no exact half for this range: check
        // the rule on a two-position slider instead, where d = w / 2 is one.
        slider.setRange(0, 1);
        EXPECT_EQ(slider.positionForClick(h.left() + (w + 1) / 2), 1);
        EXPECT_EQ(slider.positionForClick(h.left() + (w - 1) / 2), w % 2 == 0 ? 0 : 0);
    }
}

TEST(BitSlider, WheelNeverMoves) {
    CBitSlider slider;
    slider.resize(220, 17);
    slider.setRange(0, 9);
    slider.setValue(4);
    QWheelEvent wheel(QPointF(100, 8), QPointF(100, 8), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&slider, &wheel);
    EXPECT_EQ(slider.value(), 4);
}

TEST(BitSlider, PlacingTheThumbTellsTheMainWindowWithItsId) {
    CBitSlider slider;
    slider.resize(220, 17);
    slider.setRange(0, 50);
    slider.SetReportId(1017);
    int told = 0;
    int lastId = 0;
    QObject::connect(&slider, &CBitSlider::thumbPlaced, [&](int id) {
        ++told;
        lastId = id;
    });
    slider.setValue(50);
    slider.show();
    QTest::mouseMove(&slider, QPoint(5, 5));
    EXPECT_GE(told, 1);
    EXPECT_EQ(lastId, 1017);
    const int atEnd = slider.ThumbX();
    slider.setValue(0);
    QTest::mouseMove(&slider, QPoint(6, 5));
    EXPECT_LT(slider.ThumbX(), atEnd);
}

// The desktop styles where a left press away from the handle pages towards
// the pointer and keeps paging while the button is held.
class PagingStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        if (hint == SH_Slider_AbsoluteSetButtons) return Qt::NoButton;
        if (hint == SH_Slider_PageSetButtons) return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

// Shows whether the platform slider has a step queued to repeat.
class ProbedSlider : public CBitSlider {
public:
    using CBitSlider::CBitSlider;
    using QAbstractSlider::repeatAction;
};

void sendMouse(QWidget& target, QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF at(x, 8);
    QMouseEvent event(type, at, target.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

TEST(BitSlider, APressPutsTheThumbAtThePointerAndNothingStepsOnByItself) {
    struct Case {
        int start, pressX, dragX;
    };
    const Case cases[] = {
        {50, 40, 120},   // far left of the handle, dragged right
        {0, 200, 30},    // far right of the handle, dragged back left
        {25, 110, 110},  // on the handle, held still
        {10, -30, 400},  // outside the channel: held at the ends
    };
    PagingStyle style;
    for (const Case& c : cases) {
        ProbedSlider slider;
        slider.setStyle(&style);
        std::vector<int> actions;
        QObject::connect(&slider, &QAbstractSlider::actionTriggered, [&](int a) { actions.push_back(a); });
        slider.resize(220, 17);
        slider.setRange(0, 50);
        slider.setValue(c.start);
        slider.show();
        sendMouse(slider, QEvent::MouseButtonPress, c.pressX, Qt::LeftButton, Qt::LeftButton);
        EXPECT_EQ(slider.value(), slider.positionForClick(c.pressX)) << c.pressX;
        EXPECT_EQ(slider.repeatAction(), QAbstractSlider::SliderNoAction) << c.pressX;
        for (int a : actions) EXPECT_EQ(a, QAbstractSlider::SliderMove) << c.pressX;
        sendMouse(slider, QEvent::MouseMove, c.dragX, Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(slider.value(), slider.positionForClick(c.dragX)) << c.dragX;
        sendMouse(slider, QEvent::MouseButtonRelease, c.dragX, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(slider.value(), slider.positionForClick(c.dragX)) << c.dragX;
        EXPECT_FALSE(slider.isSliderDown());
        // Moving afterwards with the button up leaves it where it was released.
        sendMouse(slider, QEvent::MouseMove, c.pressX, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(slider.value(), slider.positionForClick(c.dragX)) << c.dragX;
    }
}

TEST(BitSlider, OtherButtonsLeaveItAndGoOnToTheWindow) {
    PagingStyle style;
    QWidget window;
    auto* slider = new ProbedSlider(&window);
    slider->setStyle(&style);
    slider->resize(220, 17);
    slider->setRange(0, 9);
    slider->setValue(4);
    window.show();
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(200, 8), slider->mapToGlobal(QPointF(200, 8)), b, b,
                          Qt::NoModifier);
        QApplication::sendEvent(slider, &press);
        EXPECT_FALSE(press.isAccepted());
        EXPECT_EQ(slider->value(), 4);
        EXPECT_EQ(slider->repeatAction(), QAbstractSlider::SliderNoAction);
    }
}

TEST(BitSlider, AClickGivesItTheKeyboardAndEachKeyMovesOneStep) {
    struct Case {
        Qt::Key key;
        int step;
    };
    const Case cases[] = {
        {Qt::Key_Right, 1}, {Qt::Key_Up, 1},     {Qt::Key_PageUp, 1},
        {Qt::Key_Left, -1}, {Qt::Key_Down, -1}, {Qt::Key_PageDown, -1},
    };
    QWidget window;
    window.setFocusPolicy(Qt::StrongFocus);
    auto* slider = new CBitSlider(&window);
    slider->resize(220, 17);
    slider->setRange(0, 9);
    window.resize(240, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.setFocus();
    const int x = 110;
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 8));
    ASSERT_EQ(QApplication::focusWidget(), slider);
    const int clicked = slider->positionForClick(x);
    ASSERT_EQ(slider->value(), clicked);
    for (const Case& c : cases) {
        slider->setValue(clicked);
        QTest::keyClick(QApplication::focusWidget(), c.key);
        EXPECT_EQ(slider->value(), clicked + c.step) << c.key;
    }
}

}  // namespace
}  // namespace orvane
