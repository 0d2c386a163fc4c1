#include "mainwindow/view/paintall.h"

#include "mainwindow/view/keycolors.h"
#include "mainwindow/view/lightingsection.h"
#include "mainwindow/model/keypicturetable.h"
#include "mainwindow/view/optionsections.h"
#include "mainwindow/view/mainpaintcontext.h"
#include "drawing/skinimages.h"

namespace orvane {

namespace {

const KeyPicture* keyPicture(std::size_t position) {
    if (position >= KeyPictureTable.size()) return nullptr;
    const KeyPicture& k = KeyPictureTable[position];
    return k.hasRectangle() ? &k : nullptr;
}

void copyHighlight(SkinCanvas& canvas, std::size_t position) {
    const KeyPicture* k = keyPicture(position);
    if (!k) return;
    canvas.DrawSkinImagePart(u"kb_hl.png", QRect(k->left, k->top, k->right - k->left, k->bottom - k->top),
                             kKeyboardPictureX + k->left, kKeyboardPictureY + k->top);
}

void drawKeyHighlights(const MainPaintContext& ctx) {
    const std::uint8_t selected = ctx.state.SelectedKeyPosition;
    if (!ctx.state.DiyColorMode) {
        if (selected != kNoKey) copyHighlight(ctx.canvas, selected);
        for (std::size_t p = 0; p < kKeyPositionCount; ++p)
            if (ctx.image.modifiedKeyFlags[p] != 0) copyHighlight(ctx.canvas, p);
    } else if (ctx.data().ledEffect.LEDEffectMode >= kFirstKeyColorEffect) {
        DrawKeyColors(ctx, ctx.data());
        if (const KeyPicture* k = keyPicture(selected))
            ctx.canvas.FrameBox(k->left + 302, k->top + 78, k->right - k->left + 3,
                                k->bottom - k->top + 3);
    }
}

void drawBottomBar(const MainPaintContext& ctx) {
    ctx.canvas.DrawSkinImage(u"button-cancel-normal.png", 800, 605);
    ctx.canvas.DrawSkinImage(u"button-cancel-normal.png", 862, 605);
    ctx.canvas.DrawSkinImage(u"button-save-normal.png", 924, 605);
    ctx.canvas.DrawSkinImage(u"text.png", 96, 610);
    ctx.canvas.DrawSkinImage(u"Config.png", 17, 603);
    ctx.label("配置", "Profile", 45, 610, 16);
    ctx.label("恢复", "Default", 810, 612, 16);
    ctx.label("取消", "Cancel", 872, 612, 16);
    ctx.label("保存", "Save", ctx.chinese() ? 934 : 938, 612, 16);
}

void drawMacroSection(const MainPaintContext& ctx) {
    const int yM = ctx.layout.yM;
    ctx.canvas.DrawSkinImage(u"MacroManagementBK.png", 19, yM);
    ctx.canvas.DrawSkinImage(u"MacroButton3.png", 19, yM + 10);
    ctx.label("宏管理器", "Macro Management", 21, yM + 12, 15);
}

void drawHelpWindow(const MainPaintContext& ctx, const QString& webAddress) {
    ctx.canvas.DrawSkinImage(u"HelpWindow.png", 830, 22);
    ctx.canvas.DrawSkinText(webAddress, 850, 25, kWhite, 15);
    ctx.label("驱动更新", "Update Firmware", 850, 50, 15);
    ctx.canvas.DrawSkinText(QStringLiteral("Ver: 1.1"), 850, 75, kWhite, 15);
}

}  // namespace

void PaintAll(QImage& canvas, const SettingsImage& image, const MainWindowState& state, SkinImages& skin,
              const QString& helpWebAddress) {
    // A fresh copy of the background each time: nothing of the last repaint survives.
    const QImage background = skin.image(u"main.png");
    if (!background.isNull()) {
        canvas = background.copy();
    } else {
        const QSize size = canvas.isNull() ? QSize(kFallbackWindowWidth, kFallbackWindowHeight)
                                           : canvas.size();
        canvas = QImage(size, QImage::Format_RGB32);
        canvas.fill(Qt::black);
    }

    SkinCanvas sc(canvas, skin);
    const MainPaintContext ctx{{sc, image.languageCode}, image, state, computeSectionLayout(state)};

    sc.DrawSkinImage(u"button-help-normal.png", 936, 5);
    sc.DrawSkinImage(u"button-min-normal.png", 957, 5);
    sc.DrawSkinImage(u"button-close-normal.png", 978, 5);
    sc.DrawSkinImage(u"logo.png", 19, 35);
    sc.DrawSkinImage(u"kb_BK.png", kKeyboardPictureX, kKeyboardPictureY);

    drawKeyHighlights(ctx);
    drawBottomBar(ctx);

    DrawLightingSection(ctx, {image.working.mouseData, state, state.slider(SliderKind::Speed),
                              state.slider(SliderKind::Brightness)});
    drawMacroSection(ctx);
    DrawOptionSections(ctx);
    if (state.EffectListOpen) DrawEffectList(ctx, state);
    if (state.Popup_ResponseTime) DrawResponseTimeList(ctx);

    if (state.HelpWindowOpen) drawHelpWindow(ctx, helpWebAddress);
}

}  // namespace orvane
