#include <gtest/gtest.h>

#include "controls/model/bititemgeometry.h"

namespace orvane {
namespace {

TEST(BitItem, InvalidStripsAreRefused) {
    struct Row { const char* what; int bw, bh, iw, ih; };
    const Row rows[] = {
        {"empty bitmap", 0, 0, 0, 0},
        {"zero height", 20, 0, 0, 0},
        {"negative item", 20, 20, -1, 0},
        {"item wider than a horizontal strip", 20, 10, 30, 10},
        {"item taller than a horizontal strip", 60, 20, 20, 21},
        {"item taller than a vertical strip", 10, 40, 10, 41},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_FALSE(BitItemGeometry::make(r.bw, r.bh, r.iw, r.ih).has_value());
    }
}

TEST(BitItem, CountsOrientationAndRectangles) {
    // The slider thumb: one item, shown in every state.
    const auto thumb = BitItemGeometry::make(15, 14, 15, 14);
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->count, 1);
    EXPECT_FALSE(thumb->vertical);

    // A channel loaded with item size 0 x 0 is one item of its whole size.
    const auto channel = BitItemGeometry::make(220, 17, 0, 0);
    ASSERT_TRUE(channel);
    EXPECT_EQ(channel->count, 1);
    EXPECT_EQ(channel->itemRect(0).width(), 220);
    EXPECT_EQ(channel->itemRect(0).height(), 17);

    const auto strip = BitItemGeometry::make(60, 20, 20, 20);
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->count, 3);
    EXPECT_FALSE(strip->vertical);
    const ItemRect third = strip->itemRect(2);
    EXPECT_EQ(third.left, 40);
    EXPECT_EQ(third.right, 60);
    EXPECT_EQ(strip->itemRect(3).width(), 0);
    EXPECT_EQ(strip->itemRect(-1).width(), 0);

    // Taller than wide: stacked downward; a partial last item is not counted.
    const auto column = BitItemGeometry::make(16, 50, 16, 16);
    ASSERT_TRUE(column);
    EXPECT_TRUE(column->vertical);
    EXPECT_EQ(column->count, 3);
    EXPECT_EQ(column->itemRect(1).top, 16);
    EXPECT_EQ(column->itemRect(1).bottom, 32);
}

TEST(BitWnd, StatesFollowThePointerByItemCount) {
    // Three items: the pressed state shows the third.
    EXPECT_EQ(bitWndStateOnPress(3, false), kBitWndPressed);
    EXPECT_EQ(bitWndStateOnHover(3, false), kBitWndHover);
    EXPECT_EQ(bitWndStateOnRelease(3, false), kBitWndHover);
    EXPECT_EQ(bitWndStateOnLeave(3, false), kBitWndNormal);
    // Two items: no pressed picture.
    EXPECT_EQ(bitWndStateOnPress(2, false), kBitWndNormal);
    EXPECT_EQ(bitWndStateOnHover(2, false), kBitWndHover);
    // One item: always the same picture.
    for (int s : {bitWndStateOnHover(1, false), bitWndStateOnLeave(1, true),
                  bitWndStateOnPress(1, false), *bitWndStateOnRelease(1, false)})
        EXPECT_EQ(s, kBitWndNormal);
    // While toggled down the window keeps its state on release.
    EXPECT_FALSE(bitWndStateOnRelease(3, true).has_value());
    EXPECT_EQ(bitWndStateOnLeave(3, true), kBitWndPressed);
    EXPECT_EQ(bitWndStateOnHover(3, true), kBitWndPressed);
}

}  // namespace
}  // namespace orvane
