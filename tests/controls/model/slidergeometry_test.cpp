#include <gtest/gtest.h>

#include "controls/model/slidergeometry.h"

namespace orvane {
namespace {

TEST(SliderClick, OutsideOrDegenerateInputsStayInRange) {
    const SliderRect channel{10, 6, 210, 10};  // 200 long
    struct Row { const char* what; int x, clientLeft, min, max; SliderRect ch; int want; };
    const Row rows[] = {
        {"left of the channel", 3, 0, 0, 4, channel, 0},
        {"far right", 5000, 0, 0, 4, channel, 4},
        {"empty range", 100, 0, 3, 3, channel, 3},
        {"inverted range", 100, 0, 5, 2, channel, 5},
        {"zero-length channel", 100, 0, 0, 4, SliderRect{10, 0, 10, 0}, 0},
        {"huge coordinates", 2147483000, 0, 0, 50, channel, 50},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(positionAtClick(r.x, r.clientLeft, r.ch, r.min, r.max), r.want);
    }
}

TEST(SliderClick, RoundsHalfUpWithinTheChannel) {
    const SliderRect channel{10, 6, 210, 10};  // 200 long, range 4: 50 px a step
    struct Row { int x; int want; };
    const Row rows[] = {
        {10, 0},   // channel start
        {34, 0},   // 24 px: less than half a step
        {35, 1},   // exactly half a step goes to the higher position
        {60, 1},   // one step
        {84, 1},   // 74 px
        {85, 2},   // 75 px, halfway between 1 and 2
        {210, 4},  // channel end
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.x);
        EXPECT_EQ(positionAtClick(r.x, 0, channel, 0, 4), r.want);
    }
    // The client rectangle's left edge shifts the whole scale.
    EXPECT_EQ(positionAtClick(45, 10, channel, 0, 4), 1);
}

TEST(SliderThumb, PictureFollowsTheDescribedPlacementRule) {
    // (15 - 11) / 2 + 20 - 10 = 12; an odd difference truncates toward zero.
    EXPECT_EQ(placeThumb(15, SliderRect{20, 0, 31, 17}, 0).thumbX, 12);
    EXPECT_EQ(placeThumb(15, SliderRect{20, 0, 32, 17}, 3).thumbX, 11);
    EXPECT_EQ(placeThumb(15, SliderRect{20, 0, 32, 17}, 3).thumbY, 3);
    // A thumb rectangle wider than the picture: (15 - 20) / 2 = -2, not -3.
    EXPECT_EQ(placeThumb(15, SliderRect{0, 0, 20, 17}, 0).thumbX, -12);
}

TEST(SliderThumb, PictureStaysInsideTheSliderAndCentredOnItsClickPoint) {
    for (int max : {3, 9, 50}) {
        for (int pos = 0; pos <= max; ++pos) {
            SCOPED_TRACE(testing::Message() << "max " << max << " pos " << pos);
            const ThumbPlacement t = placeThumbAt(220, 17, pos, 0, max);
            EXPECT_GE(t.thumbX, 0);
            EXPECT_LE(t.thumbX + kThumbPictureWidth, 220);
            // A click on the middle of the drawn thumb selects the same position.
            const int centre = t.thumbX + kThumbPictureWidth / 2;
            EXPECT_EQ(positionAtClick(centre, 0, sliderChannel(220, 17), 0, max), pos);
        }
    }
    EXPECT_EQ(placeThumbAt(220, 17, 0, 0, 3).thumbX, 0);
    EXPECT_EQ(placeThumbAt(220, 17, 3, 0, 3).thumbX, 205);
    // Out-of-range positions are held at the ends, as the track keeps them.
    EXPECT_EQ(placeThumbAt(220, 17, -4, 0, 3).thumbX, 0);
    EXPECT_EQ(placeThumbAt(220, 17, 99, 0, 3).thumbX, 205);
}

TEST(SliderThumb, ChannelOffsetRoundsHalfUpAndHandlesEmptyRanges) {
    EXPECT_EQ(channelOffset(1, 0, 3, 205), 68);   // 68.33
    EXPECT_EQ(channelOffset(2, 0, 3, 205), 137);  // 136.67
    EXPECT_EQ(channelOffset(1, 0, 2, 205), 103);  // 102.5 rounds up
    EXPECT_EQ(channelOffset(5, 5, 5, 205), 0);
    EXPECT_EQ(channelOffset(5, 0, 9, 0), 0);
}

}  // namespace
}  // namespace orvane
