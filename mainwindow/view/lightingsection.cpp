#include "mainwindow/view/lightingsection.h"

#include "keyboardstate/effecttable.h"
#include "mainwindow/model/lightingview.h"
#include "drawing/paintcontext.h"
#include "drawing/sliderface.h"

namespace orvane {

namespace {

constexpr int kSwatchY = 223;
constexpr int kGreySwatch = 0xC0C0C0;

void drawSwatches(const PaintContext& ctx, const MouseData& data) {
    const LedEffect& led = data.ledEffect;
    const int mode = led.LEDEffectMode;
    if (mode != 1) ctx.canvas.DrawSkinImage(u"8.png", 203, kSwatchY);
    for (int i = 0; i < 7; ++i) {
        SkinColor colour = kGreySwatch;
        if (!isGreySwatchEffect(mode)) {
            const auto c = paletteColor(data, static_cast<std::size_t>(i));
            colour = (SkinColor{c[0]} << 16) | (SkinColor{c[1]} << 8) | c[2];
        }
        ctx.canvas.FillBox(28 + 25 * i, kSwatchY, 20, 20, colour);
    }
    ctx.canvas.FrameBox(26 + 25 * (led.LEDEffectColor - 1), 221, 23, 23);
}

void drawDirections(const PaintContext& ctx, const LedEffect& led) {
    ctx.label("方向", "Direction", 29, 177, 15);
    ctx.canvas.DrawSkinImage(u"Direction-T-Disable.png", 29, 197);
    ctx.canvas.DrawSkinImage(u"Direction-B-Disable.png", 79, 197);
    ctx.canvas.DrawSkinImage(u"Direction-R-Disable.png", 129, 197);
    ctx.canvas.DrawSkinImage(u"Direction-L-Disable.png", 179, 197);
    switch (led.LEDEffectDirection) {
    case 1: ctx.canvas.DrawSkinImage(u"Direction-L-Enable.png", 179, 197); break;
    case 2: ctx.canvas.DrawSkinImage(u"Direction-R-Enable.png", 129, 197); break;
    case 3: ctx.canvas.DrawSkinImage(u"Direction-T-Enable.png", 29, 197); break;
    case 4: ctx.canvas.DrawSkinImage(u"Direction-B-Enable.png", 79, 197); break;
    default: break;
    }
}

}  // namespace

void DrawLightingSection(const PaintContext& ctx, const LightingScene& scene) {
    const LedEffect& led = scene.data.ledEffect;
    const LightingViewState& view = scene.view;

    ctx.canvas.DrawSkinImage(u"itemBK.png", 19, 110);
    ctx.label("灯光", "Light", 19, 110, 15);
    if (view.LightingCollapsed) return;

    ctx.canvas.DrawSkinImage(u"LEDEffect_open.png", 19, 130);
    ctx.label("效果", "Effect", 28, 137, 15);
    ctx.canvas.DrawSkinImage(u"Light_Item.png", 28, 158);

    if (led.LEDEffectMode != 1 && led.LEDEffectMode < 50) {
        ctx.canvas.DrawSkinImage(u"freq.png", 19, 245);
        DrawSliderFace(ctx.canvas, scene.speed);
        if (!view.EffectListOpen) {
            ctx.label("速度", "Speed", 28, 290, 13);
            ctx.label("慢", "Slow", 28, 317, 13);
            ctx.label("快", "Fast", 230, 317, 13);
        }
    }

    // The face first: its 17 rows reach y 276 and would cut the tops of the
    // "Dark" / "Bright" labels that start at y 274.
    if (!view.EffectListOpen) DrawSliderFace(ctx.canvas, scene.brightness);
    ctx.label("亮度", "Brightness", 28, 247, 13);
    ctx.label("黑", "Dark", 28, 274, 13);
    ctx.label("亮", "Bright", 230, 274, 13);

    if (led.LEDEffectMode < kFirstKeyColorEffect) drawSwatches(ctx, scene.data);

    if (hasDirectionPictures(led.LEDEffectMode))
        drawDirections(ctx, led);
    else if (led.LEDEffectMode >= kFirstKeyColorEffect)
        DrawDiyChoice(ctx, view);

    const auto name = effectNameOf(led.LEDEffectMode, ctx.languageCode);
    if (!name.empty())
        ctx.canvas.DrawSkinText(
            QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())), 28, 158, kWhite,
            14);
}

void DrawEffectList(const PaintContext& ctx, const LightingViewState& view) {
    for (std::size_t r = 0; r < kEffectRowCount; ++r) {
        const int y = 173 + 20 * static_cast<int>(r);
        ctx.canvas.FillBox(28, y, 220, 20,
                           r == view.SelectedEffectItem ? 0x500000 : 0x3B3B3B);
        const auto name = effectName(r, ctx.languageCode);
        ctx.canvas.DrawSkinText(
            QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())), 28, y, kWhite,
            18);
    }
}

void DrawDiyChoice(const PaintContext& ctx, const LightingViewState& view) {
    const bool diy = view.DiyColorMode;
    ctx.canvas.DrawSkinImage(diy ? u"Disable.png" : u"Enable.png", 28, 199);
    ctx.canvas.DrawSkinImage(diy ? u"Enable.png" : u"Disable.png", 130, 199);
    ctx.canvas.DrawSkinText(QStringLiteral("Keymap"), 45, 197, kWhite, 15);
    ctx.canvas.DrawSkinText(QStringLiteral("DIY"), 147, 197, kWhite, 15);
}

}  // namespace orvane
