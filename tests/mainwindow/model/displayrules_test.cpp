#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>

#include "keyboardstate/keytables.h"
#include "mainwindow/model/displayrules.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {
namespace {

struct Settled {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    MainWindowState state;
    LedEffect& led() { return image->working.mouseData.ledEffect; }
    void settle() { settleMainWindow(*image, state); }
};

TEST(DisplayRules, SwatchIsHeldToTheOnesShownOnlyWhileTheSectionIsOpen) {
    struct Case {
        std::uint8_t mode, colour;
        bool collapsed;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {2, 0, false, 1},   {2, 9, false, 8},   {2, 255, false, 8}, {2, 4, false, 4},
        {3, 2, false, 8},   {8, 1, false, 8},   {2, 0, true, 0},    {3, 2, true, 2},
        {51, 0, false, 0},  {55, 9, false, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.mode} << " " << int{c.colour} << " " << c.collapsed);
        Settled s;
        s.led().LEDEffectMode = c.mode;
        s.led().LEDEffectColor = c.colour;
        s.state.LightingCollapsed = c.collapsed;
        s.settle();
        EXPECT_EQ(s.led().LEDEffectColor, c.expected);
    }
}

TEST(DisplayRules, WindowsKeyIsNeverShownChangedUnlessTheColourViewHasNoTable) {
    for (const auto& [diy, mode, cleared] : {std::tuple{false, 2, true}, std::tuple{true, 52, true},
                                             std::tuple{true, 2, false}, std::tuple{true, 60, false}}) {
        Settled s;
        s.state.DiyColorMode = diy;
        s.led().LEDEffectMode = static_cast<std::uint8_t>(mode);
        s.image->modifiedKeyFlags[kLeftWindowsPosition] = 1;
        s.image->modifiedKeyFlags[0] = 1;
        s.settle();
        EXPECT_EQ(s.image->modifiedKeyFlags[kLeftWindowsPosition], cleared ? 0 : 1) << diy << " " << mode;
        EXPECT_EQ(s.image->modifiedKeyFlags[0], 1);
    }
}

TEST(DisplayRules, ShownSlidersHoldTheirRangeAndAreTheSettings) {
    Settled s;
    s.state.LightingCollapsed = false;
    s.state.ReportRateCollapsed = false;
    s.led().LEDEffectMode = 2;
    s.state.slider(SliderKind::Speed).position = 40;       // range 0..9
    s.state.slider(SliderKind::Brightness).position = -1;  // range 0..50
    s.state.slider(SliderKind::ReportRate).position = 2;
    s.settle();
    EXPECT_EQ(s.state.slider(SliderKind::Speed).position, 9);
    EXPECT_EQ(s.led().LEDEffectSpeed, 9);
    EXPECT_EQ(s.led().LEDEffectBrightness, 0);
    EXPECT_EQ(s.image->working.mouseData.ReportRate, 2);
    for (const SliderFace& f : s.state.sliders) EXPECT_TRUE(f.visible) << f.id;
    EXPECT_EQ(s.state.slider(SliderKind::ReportRate).thumbX,
              placeThumbAt(220, 17, 2, 0, 3).thumbX);
}

TEST(DisplayRules, HiddenSlidersLeaveTheSettingsAlone) {
    Settled s;
    s.led().LEDEffectSpeed = 200;  // a garbage reply stays until a slider shows it
    s.state.slider(SliderKind::Speed).position = 3;
    s.settle();  // lighting collapsed
    EXPECT_EQ(s.led().LEDEffectSpeed, 200);
    EXPECT_FALSE(s.state.slider(SliderKind::Speed).visible);

    s.state.LightingCollapsed = false;
    s.led().LEDEffectMode = 1;  // static: no speed slider
    s.settle();
    EXPECT_EQ(s.led().LEDEffectSpeed, 200);
    EXPECT_FALSE(s.state.slider(SliderKind::Speed).visible);
    EXPECT_TRUE(s.state.slider(SliderKind::Brightness).visible);
}

TEST(DisplayRules, OpenListsHideTheLightingSliders) {
    for (const bool effectList : {true, false}) {
        Settled s;
        s.state.LightingCollapsed = false;
        s.led().LEDEffectMode = 2;
        s.state.EffectListOpen = effectList;
        s.state.Popup_ResponseTime = !effectList;
        s.settle();
        EXPECT_FALSE(s.state.slider(SliderKind::Speed).visible);
        EXPECT_FALSE(s.state.slider(SliderKind::Brightness).visible);
    }
}

TEST(DisplayRules, SettlingTwiceChangesNothingMore) {
    Settled s;
    s.state.LightingCollapsed = false;
    s.state.ReportRateCollapsed = false;
    s.led().LEDEffectMode = 3;
    s.state.slider(SliderKind::Brightness).position = 70;
    s.settle();
    const SettingsImage once = *s.image;
    const MainWindowState stateOnce = s.state;
    s.settle();
    EXPECT_EQ(std::memcmp(&once, s.image.get(), sizeof once), 0);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(s.state.sliders[k].position, stateOnce.sliders[k].position);
        EXPECT_EQ(s.state.sliders[k].thumbX, stateOnce.sliders[k].thumbX);
        EXPECT_EQ(s.state.sliders[k].visible, stateOnce.sliders[k].visible);
    }
}

}  // namespace
}  // namespace orvane
