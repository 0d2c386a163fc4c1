#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QApplication>

#include "controls/bitwnd.h"

namespace orvane {
namespace {

QImage strip(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

TEST(BitItem, CountsAndRectanglesFollowTheStripShape) {
    const CBitItem thumb(strip(15, 14), 15, 14);
    EXPECT_EQ(thumb.count(), 1);
    const CBitItem channel(strip(220, 17), 0, 0);
    EXPECT_EQ(channel.count(), 1);
    EXPECT_EQ(channel.itemRect(0), QRect(0, 0, 220, 17));
    const CBitItem three(strip(60, 20), 20, 0);
    EXPECT_FALSE(three.vertical());
    EXPECT_EQ(three.count(), 3);
    EXPECT_EQ(three.itemRect(2), QRect(40, 0, 20, 20));
    const CBitItem stacked(strip(10, 40), 0, 10);
    EXPECT_TRUE(stacked.vertical());
    EXPECT_EQ(stacked.count(), 4);
    EXPECT_EQ(stacked.itemRect(1), QRect(0, 10, 10, 10));
    const CBitItem empty(QImage(), 0, 0);  // a missing image still gives one item
    EXPECT_EQ(empty.count(), 1);
}

TEST(BitWnd, StateFollowsThePointerAndSingleImagesNeverChange) {
    CBitWnd wnd;
    wnd.LoadStateImages(strip(60, 20), 20, 20);
    EXPECT_EQ(wnd.size(), QSize(20, 20));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&wnd, &enter);
    EXPECT_EQ(wnd.state(), CBitWnd::Hover);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&wnd, &press);
    EXPECT_EQ(wnd.state(), CBitWnd::Pressed);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&wnd, &leave);
    EXPECT_EQ(wnd.state(), CBitWnd::Normal);

    CBitWnd single;
    single.LoadStateImages(strip(15, 14), 15, 14);
    QApplication::sendEvent(&single, &enter);
    QApplication::sendEvent(&single, &press);
    EXPECT_EQ(single.state(), CBitWnd::Normal);
}

}  // namespace
}  // namespace orvane
