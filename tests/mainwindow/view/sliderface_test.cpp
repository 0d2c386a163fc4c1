#include <gtest/gtest.h>

#include "drawing/resourceimages.h"
#include "mainwindow/model/displayrules.h"
#include "mainwindow/view/sliderface.h"
#include "painttestsupport.h"

namespace orvane {
namespace {

using test::PaintFixture;
using test::skinColour;

TEST(SliderFace, IdsNameTheirSliders) {
    EXPECT_EQ(sliderKindOfId(1007), SliderKind::Speed);
    EXPECT_EQ(sliderKindOfId(1017), SliderKind::Brightness);
    EXPECT_EQ(sliderKindOfId(1010), SliderKind::ReportRate);
    EXPECT_EQ(sliderKindOfId(0), SliderKind::ReportRate);
}

TEST(SliderFace, PositionsOutOfRangeAreHeldAtTheEnds) {
    PaintFixture f;
    f.paint();
    f.state.slider(SliderKind::Brightness).position = 99;
    f.state.slider(SliderKind::Speed).position = -3;
    settleSlider(*f.image, f.state, SliderKind::Brightness);
    settleSlider(*f.image, f.state, SliderKind::Speed);
    EXPECT_EQ(f.led().LEDEffectBrightness, 50);
    EXPECT_EQ(f.led().LEDEffectSpeed, 0);
}

TEST(SliderFace, CopiesPositionsAndSplitsTheChannelAtTheThumb) {
    PaintFixture f;
    f.state.LightingCollapsed = false;
    f.state.slider(SliderKind::Speed).position = 9;
    f.state.slider(SliderKind::Brightness).position = 25;
    f.paint();
    EXPECT_EQ(f.led().LEDEffectSpeed, 9);
    EXPECT_EQ(f.led().LEDEffectBrightness, 25);
    const SliderFace& b = f.state.slider(SliderKind::Brightness);
    const QImage full = resourceImage(kBitmapChannelFull);
    const QImage empty = resourceImage(kBitmapChannelEmpty);
    EXPECT_EQ(f.at(b.x + b.thumbX - 1, b.y + 8), full.pixel(b.thumbX - 1, 8));
    EXPECT_EQ(f.at(b.x + b.thumbX + 15, b.y + 8), empty.pixel(b.thumbX + 15, 8));
    EXPECT_EQ(f.at(b.x + b.thumbX, b.y + 1), skinColour("Thumb.png"));
    EXPECT_EQ(f.at(b.x + b.thumbX + 14, b.y + 14), skinColour("Thumb.png"));
    EXPECT_NE(f.at(b.x + b.thumbX, b.y), skinColour("Thumb.png")) << "thumb sits one row down";
}

TEST(SliderFace, ReportRateThumbAtPositionZeroIsTwoPixelsFurtherRight) {
    for (int position : {0, 1}) {
        SCOPED_TRACE(position);
        PaintFixture f;
        f.state.ReportRateCollapsed = false;
        f.state.slider(SliderKind::ReportRate).position = position;
        f.paint();
        const SliderFace& r = f.state.slider(SliderKind::ReportRate);
        const int drawnAt = r.x + r.thumbX + (position == 0 ? 2 : 0);
        EXPECT_EQ(f.at(drawnAt, r.y + 1), skinColour("Thumb.png"));
        EXPECT_NE(f.at(drawnAt - 1, r.y + 1), skinColour("Thumb.png"));
        EXPECT_EQ(f.data().ReportRate, position);
    }
}

TEST(SliderFace, ReportRateSliderMovesWithItsSection) {
    PaintFixture f;
    f.state.LightingCollapsed = false;
    f.state.ResponseTimeCollapsed = false;
    f.state.ReportRateCollapsed = false;
    SliderFace& r = f.state.slider(SliderKind::ReportRate);
    EXPECT_EQ(r.y, 530);
    f.paint();
    EXPECT_EQ(r.y, 543);
    EXPECT_TRUE(r.visible);
    f.state.LightingCollapsed = true;
    r.width = 30;  // as the window left it before its channel images were given back
    r.height = 10;
    f.paint();
    EXPECT_EQ(r.x, 28);
    EXPECT_EQ(r.y, 348);
    EXPECT_EQ(r.width, 220);
    EXPECT_EQ(r.height, 17);
    EXPECT_EQ(f.state.reportSliderPlacedAt, 325);
    f.state.ReportRateCollapsed = true;
    f.paint();
    EXPECT_FALSE(r.visible);
    EXPECT_EQ(r.y, 348) << "a collapsed section leaves the slider where it was";
}

TEST(SliderFace, SettingsOutOfRangeSetSlidersToTheirEnds) {
    PaintFixture f;
    f.led().LEDEffectSpeed = 200;       // a garbage reply from the keyboard
    f.led().LEDEffectBrightness = 17;
    f.data().ReportRate = 3;
    setSlidersFromSettings(f.state, *f.image);
    EXPECT_EQ(f.state.slider(SliderKind::Speed).position, 9);
    EXPECT_EQ(f.state.slider(SliderKind::Brightness).position, 17);
    EXPECT_EQ(f.state.slider(SliderKind::ReportRate).position, 3);
    // Drawing the faces then stores only values the sliders can show.
    f.state.LightingCollapsed = false;
    f.paint();
    EXPECT_EQ(f.led().LEDEffectSpeed, 9);
}

TEST(ResourceImages, NumberedBitmapsHaveTheirSizes) {
    EXPECT_EQ(resourceImage(139).size(), QSize(220, 17));
    EXPECT_EQ(resourceImage(140).size(), QSize(220, 17));
    EXPECT_EQ(resourceImage(141).size(), QSize(15, 14));
    EXPECT_FALSE(resourceImage(155).isNull());
    EXPECT_TRUE(resourceImage(0).isNull());
    EXPECT_TRUE(resourceImage(142).isNull());
    EXPECT_NE(resourceImage(139), resourceImage(140));
}

}  // namespace
}  // namespace orvane
