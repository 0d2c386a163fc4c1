#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include "controls/bitslider.h"
#include "controls/slidergeometry.h"

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
    slider.setSliderMovedHandler([&](int id) {
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

}  // namespace
}  // namespace orvane
