#include "mainwindow/view/optionsections.h"

#include "mainwindow/view/mainpaintcontext.h"
#include "mainwindow/view/sliderface.h"

namespace orvane {

namespace {

// Two marks of a choice: the selected one shows "Enable.png".
void drawChoice(const MainPaintContext& ctx, bool on, int onX, int offX, int y) {
    ctx.canvas.DrawSkinImage(on ? u"Enable.png" : u"Disable.png", onX, y);
    ctx.canvas.DrawSkinImage(on ? u"Disable.png" : u"Enable.png", offX, y);
}

void drawGameMode(const MainPaintContext& ctx) {
    const int yG = ctx.layout.yG;
    const MouseData& d = ctx.data();
    if (ctx.state.GameModeCollapsed) {
        ctx.canvas.DrawSkinImage(u"gamemode_Close.png", 19, yG);
        // The Chinese header names only the game mode; the English one both.
        ctx.label("游戏模式", "Game Mode", 19, yG, 15);
        if (!ctx.chinese()) ctx.canvas.DrawSkinText(QStringLiteral("Win Lock"), 149, yG, kWhite, 15);
        return;
    }
    ctx.canvas.DrawSkinImage(u"gamemode_open.png", 19, yG);
    ctx.label("游戏模式", "Game Mode", 19, yG, 15);
    ctx.label("Win Lock模式", "Win Lock", 149, yG, 15);
    drawChoice(ctx, d.GameMode != 0, 34, 88, yG + 33);
    ctx.label("开启", "ON", 51, yG + 31, 15);
    ctx.label("关闭", "OFF", 105, yG + 31, 15);
    drawChoice(ctx, d.WinLock != 0, 164, 218, yG + 33);
    ctx.label("开启", "ON", 181, yG + 31, 15);
    ctx.label("关闭", "OFF", 235, yG + 31, 15);
}

void drawResponseTime(const MainPaintContext& ctx) {
    const int yT = ctx.layout.yT;
    if (ctx.state.ResponseTimeCollapsed) {
        ctx.canvas.DrawSkinImage(u"responsetime_close.png", 19, yT);
        ctx.label("按键响应时间", "Response Time", 19, yT, 15);
        return;
    }
    ctx.canvas.DrawSkinImage(u"responsetime_open.png", 19, yT);
    ctx.label("按键响应时间", "Response Time", 19, yT, 15);
    ctx.canvas.DrawSkinImage(u"Light_Item.png", 28, yT + 28);
    ctx.canvas.DrawSkinText(QStringLiteral("%1 ms").arg(2 * int{ctx.data().ResponseTime}), 100,
                            yT + 28, kWhite, 15);
}

void drawReportRate(const MainPaintContext& ctx) {
    const int yP = ctx.layout.yP;
    if (ctx.state.ReportRateCollapsed) {
        ctx.canvas.DrawSkinImage(u"reportrate_Close.png", 19, yP);
        ctx.label("USB报告率", "USB Report Rate", 19, yP, 15);
        return;
    }
    ctx.canvas.DrawSkinImage(u"reportrate_Open.png", 19, yP);
    ctx.label("USB报告率", "USB Report Rate", 19, yP, 15);
    DrawSliderFace(ctx.canvas, ctx.state, kReportRateSliderId);
}

}  // namespace

void DrawOptionSections(const MainPaintContext& ctx) {
    drawGameMode(ctx);
    drawResponseTime(ctx);
    drawReportRate(ctx);
}

void DrawResponseTimeList(const MainPaintContext& ctx) {
    const int x = ctx.layout.responseListX;
    const int y = ctx.layout.responseListY;
    for (std::size_t r = 0; r < ResponseTimeLabels.size(); ++r) {
        const int rowY = y + 20 * static_cast<int>(r);
        ctx.canvas.FillBox(x, rowY, 220, 20,
                           r == ctx.state.SelectedResponseTimeItem ? 0x500000 : 0x3B3B3B);
        const auto label = ResponseTimeLabels[r];
        ctx.canvas.DrawSkinText(
            QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())), x + 70, rowY,
            kWhite, 18);
    }
}

}  // namespace orvane
