#include <gtest/gtest.h>

#include "painttestsupport.h"

namespace orvane {
namespace {

using test::PaintFixture;
using test::skinColour;

constexpr QRgb kWhitePixel = 0xFFFFFFFF;
QPoint swatchCentre(int n) { return {28 + 25 * (n - 1) + 10, 233}; }
QPoint frameCorner(int n) { return {26 + 25 * (n - 1), 221}; }

PaintFixture& expanded(PaintFixture& f, int mode) {
    f.state.LightingCollapsed = false;
    f.led().LEDEffectMode = static_cast<std::uint8_t>(mode);
    for (std::size_t i = 0; i < 7; ++i) {
        auto c = paletteColor(f.data(), i);
        c[0] = static_cast<std::uint8_t>(10 + i);
        c[1] = 0x80;
        c[2] = 0x20;
    }
    return f;
}

TEST(LightingPaint, CollapsedSectionHidesBothSlidersAndDrawsNoBody) {
    PaintFixture f;
    f.state.slider(SliderKind::Speed).visible = true;
    f.state.slider(SliderKind::Brightness).visible = true;
    f.state.slider(SliderKind::Speed).position = 7;
    f.paint();
    EXPECT_FALSE(f.state.slider(SliderKind::Speed).visible);
    EXPECT_FALSE(f.state.slider(SliderKind::Brightness).visible);
    EXPECT_EQ(f.led().LEDEffectSpeed, 0) << "a hidden slider does not write its field";
    EXPECT_EQ(f.at(250, 131), skinColour("main.png"));
    EXPECT_EQ(f.at(250, 140), skinColour("MacroManagementBK.png"));
}

TEST(LightingPaint, SwatchNumberOutOfRangeIsCorrectedAndFramed) {
    struct Row { int stored, shown; };
    for (const Row& r : {Row{0, 1}, Row{9, 8}, Row{255, 8}, Row{4, 4}}) {
        SCOPED_TRACE(r.stored);
        PaintFixture f;
        expanded(f, 2).led().LEDEffectColor = static_cast<std::uint8_t>(r.stored);
        f.paint();
        EXPECT_EQ(f.led().LEDEffectColor, r.shown);
        EXPECT_EQ(f.at(frameCorner(r.shown).x(), frameCorner(r.shown).y()), kWhitePixel);
    }
}

TEST(LightingPaint, WaveGreysSwatchesOneToSevenAndFramesEight) {
    for (int mode : {3, 8}) {
        SCOPED_TRACE(mode);
        PaintFixture f;
        expanded(f, mode).led().LEDEffectColor = 2;
        f.paint();
        for (int n = 1; n <= 7; ++n)
            EXPECT_EQ(f.at(swatchCentre(n).x(), swatchCentre(n).y()), qRgb(0xC0, 0xC0, 0xC0)) << n;
        EXPECT_EQ(f.at(swatchCentre(8).x(), swatchCentre(8).y()), skinColour("8.png"));
        EXPECT_EQ(f.led().LEDEffectColor, 8);
        EXPECT_EQ(f.at(frameCorner(8).x(), frameCorner(8).y()), kWhitePixel);
        EXPECT_NE(f.at(frameCorner(2).x(), frameCorner(2).y()), kWhitePixel);
    }
}

TEST(LightingPaint, DirectionPicturesOnlyForWaveAndRadar) {
    PaintFixture f;
    expanded(f, 3).led().LEDEffectDirection = 3;
    f.paint();
    EXPECT_EQ(f.at(30, 205), skinColour("Direction-T-Enable.png"));
    EXPECT_EQ(f.at(80, 205), skinColour("Direction-B-Disable.png"));
    EXPECT_EQ(f.at(130, 205), skinColour("Direction-R-Disable.png"));
    EXPECT_EQ(f.at(180, 205), skinColour("Direction-L-Disable.png"));
    f.led().LEDEffectMode = 13;
    f.led().LEDEffectDirection = 9;  // no such direction: none lit
    f.paint();
    EXPECT_EQ(f.at(30, 205), skinColour("Direction-T-Disable.png"));
    f.led().LEDEffectMode = 2;
    f.paint();
    EXPECT_EQ(f.at(30, 205), skinColour("LEDEffect_open.png"));
}

TEST(LightingPaint, StaticShowsSevenPaletteSwatchesAndNoSpeed) {
    PaintFixture f;
    expanded(f, 1).led().LEDEffectColor = 3;
    f.state.slider(SliderKind::Speed).visible = true;
    f.paint();
    EXPECT_EQ(f.at(swatchCentre(1).x(), swatchCentre(1).y()), qRgb(10, 0x80, 0x20));
    EXPECT_EQ(f.at(swatchCentre(7).x(), swatchCentre(7).y()), qRgb(16, 0x80, 0x20));
    EXPECT_EQ(f.at(swatchCentre(8).x(), swatchCentre(8).y()), skinColour("LEDEffect_open.png"));
    EXPECT_EQ(f.at(250, 300), skinColour("LEDEffect_open.png")) << "no speed background";
    EXPECT_FALSE(f.state.slider(SliderKind::Speed).visible);
    EXPECT_TRUE(f.state.slider(SliderKind::Brightness).visible);
}

TEST(LightingPaint, PerKeyEffectsShowTheKeymapOrDiyChoice) {
    PaintFixture f;
    expanded(f, 52);
    f.state.DiyColorMode = false;
    f.paint();
    EXPECT_EQ(f.at(28, 199), skinColour("Enable.png"));
    EXPECT_EQ(f.at(130, 199), skinColour("Disable.png"));
    EXPECT_EQ(f.at(swatchCentre(1).x(), swatchCentre(1).y()), skinColour("LEDEffect_open.png"));
    EXPECT_FALSE(f.state.slider(SliderKind::Speed).visible);
    f.state.DiyColorMode = true;
    f.paint();
    EXPECT_EQ(f.at(28, 199), skinColour("Disable.png"));
    EXPECT_EQ(f.at(130, 199), skinColour("Enable.png"));
}

TEST(LightingPaint, EffectNameInTheFieldInTheCurrentLanguage) {
    for (auto [language, name] : {std::pair{kLanguageEnglish, "Radar"}, std::pair{kLanguageChinese, "雷达"}}) {
        PaintFixture f(language);
        expanded(f, 13);
        f.paint();
        const QRect field(28, 158, 221, 16);
        EXPECT_TRUE(test::sameIn(f.canvas, f.reference(QString::fromUtf8(name), 28, 158, 14, skinColour("Light_Item.png")), field));
    }
    PaintFixture none;
    expanded(none, 7);  // no row selects effect 7: the field stays empty
    none.paint();
    EXPECT_TRUE(test::sameIn(none.canvas, none.reference("", 0, 0, 14, skinColour("Light_Item.png")), QRect(28, 158, 221, 16)));
}

TEST(LightingPaint, EffectListCoversTheSectionAndHidesTheSliders) {
    PaintFixture f;
    expanded(f, 2);
    f.state.EffectListOpen = true;
    f.state.SelectedEffectItem = 15;
    f.state.slider(SliderKind::Brightness).position = 33;
    f.led().LEDEffectBrightness = 12;
    f.paint();
    EXPECT_EQ(f.at(247, 173), qRgb(0x3B, 0x3B, 0x3B));
    EXPECT_EQ(f.at(247, 173 + 15 * 20 + 19), qRgb(0x50, 0, 0));
    EXPECT_NE(f.at(247, 493), qRgb(0x50, 0, 0));
    EXPECT_FALSE(f.state.slider(SliderKind::Speed).visible);
    EXPECT_FALSE(f.state.slider(SliderKind::Brightness).visible);
    EXPECT_EQ(f.led().LEDEffectBrightness, 12) << "the hidden brightness face is not drawn";
}

}  // namespace
}  // namespace orvane
