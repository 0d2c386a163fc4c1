#include "skin/mainpictures.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>

#include "controls/model/slidergeometry.h"
#include "drawing/resourceimages.h"
#include "skin/keyboardpicture.h"
#include "skin/skinstyle.h"

namespace orvane::skin {

namespace {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 645;
constexpr int kPanelWidth = 243;  // x 19..261, the side panel's sections
constexpr palette::Rgb kPanelBackdrop = 0x171717;

QString tr(bool chinese, const char* zh, const char* en) {
    return QString::fromUtf8(chinese ? zh : en);
}

QImage mainBackground(bool chinese) {
    QImage img = solid(kWindowWidth, kWindowHeight, palette::kBackground);
    QPainter p(&img);
    // Title strip with a red accent under the side panel.
    p.fillRect(QRect(0, 0, kWindowWidth, 25), rgb(palette::kTitleBar));
    p.fillRect(QRect(0, 25, kWindowWidth, 1), QColor(0x26, 0x26, 0x26));
    p.fillRect(QRect(0, 24, 268, 2), rgb(palette::kAccent));
    p.setFont(uiFont(11, QFont::Normal, 1.0));
    p.setPen(rgb(palette::kTextDim));
    p.drawText(QRect(284, 0, 500, 25), Qt::AlignVCenter | Qt::AlignLeft,
               tr(chinese, "键盘设置", "KEYBOARD CONFIGURATION"));
    // The side panel's backdrop.
    p.fillRect(QRect(12, 104, 257, 492), rgb(kPanelBackdrop));
    p.fillRect(QRect(12, 104, 257, 1), QColor(0x2A, 0x2A, 0x2A));
    p.fillRect(QRect(268, 104, 1, 492), QColor(0x24, 0x24, 0x24));
    // Under the keyboard: a legend for what the picture shows.
    const int y = 470;
    p.fillRect(QRect(304, y - 14, 680, 1), QColor(0x24, 0x24, 0x24));
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath lit;
    lit.addRoundedRect(QRectF(330, y + 2, 16, 14), 3, 3);
    p.fillPath(lit, QColor(0xB0, 0x22, 0x2A));
    p.setPen(QColor(0xFF, 0x5A, 0x5A));
    p.drawPath(lit);
    p.setFont(uiFont(12));
    p.setPen(rgb(palette::kTextDim));
    p.drawText(QPoint(356, y + 14), tr(chinese, "已重新分配或禁用的按键", "Reassigned or disabled key"));
    p.drawText(QPoint(610, y + 14),
               tr(chinese, "单击键盘上的按键即可重新分配", "Click a key on the picture to reassign it"));
    // Bottom bar.
    p.fillRect(QRect(0, 596, kWindowWidth, 49), rgb(palette::kTitleBar));
    p.fillRect(QRect(0, 596, kWindowWidth, 1), QColor(0x2A, 0x2A, 0x2A));
    p.fillRect(QRect(786, 608, 1, 24), QColor(0x2A, 0x2A, 0x2A));
    return img;
}

QImage windowButton(int kind) {
    QImage img = solid(17, 16, palette::kTitleBar);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawRoundedBox(p, QRectF(0, 0, 17, 16), 3, QColor(0x1E, 0x1E, 0x1E), QColor(0x36, 0x36, 0x36));
    p.setPen(QPen(kind == 2 ? QColor(0xFF, 0x5A, 0x5A) : rgb(palette::kText), 1.5, Qt::SolidLine,
                  Qt::RoundCap));
    if (kind == 0) {
        drawCentredText(p, QRect(0, 0, 17, 16), QStringLiteral("?"), uiFont(11, QFont::Bold),
                        rgb(palette::kText));
    } else if (kind == 1) {
        p.drawLine(QPointF(5, 10.5), QPointF(12, 10.5));
    } else {
        p.drawLine(QPointF(5.5, 4.5), QPointF(11.5, 10.5));
        p.drawLine(QPointF(11.5, 4.5), QPointF(5.5, 10.5));
    }
    return img;
}

QImage logo() {
    QImage img = solid(242, 62, palette::kBackground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A chevron mark, then the wordmark.
    QPainterPath mark;
    mark.moveTo(4, 12);
    mark.lineTo(26, 31);
    mark.lineTo(4, 50);
    mark.lineTo(13, 50);
    mark.lineTo(35, 31);
    mark.lineTo(13, 12);
    mark.closeSubpath();
    QLinearGradient red(0, 12, 0, 50);
    red.setColorAt(0, QColor(0xE8, 0x3A, 0x40));
    red.setColorAt(1, QColor(0x8A, 0x10, 0x16));
    p.fillPath(mark, red);
    p.setFont(uiFont(27, QFont::Black, 3.0));
    p.setPen(rgb(palette::kText));
    p.drawText(QPoint(44, 36), QStringLiteral("ORVANE"));
    p.setFont(uiFont(9, QFont::Normal, 2.4));
    p.setPen(QColor(0xB0, 0x30, 0x36));
    p.drawText(QPoint(46, 52), QStringLiteral("RGB GAMING KEYBOARD"));
    return img;
}

QImage bottomButton(bool save) {
    QImage img = solid(58, 30, palette::kTitleBar);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 30);
    if (save) {
        g.setColorAt(0, QColor(0xD0, 0x30, 0x38));
        g.setColorAt(1, QColor(0x86, 0x12, 0x18));
        drawRoundedBox(p, QRectF(0, 0, 58, 30), 4, g, QColor(0xF0, 0x50, 0x56));
    } else {
        g.setColorAt(0, QColor(0x34, 0x34, 0x34));
        g.setColorAt(1, QColor(0x22, 0x22, 0x22));
        drawRoundedBox(p, QRectF(0, 0, 58, 30), 4, g, QColor(0x4A, 0x4A, 0x4A));
    }
    return img;
}

QImage configButton() {
    QImage img = solid(76, 32, palette::kTitleBar);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 32);
    g.setColorAt(0, QColor(0x30, 0x30, 0x30));
    g.setColorAt(1, QColor(0x20, 0x20, 0x20));
    drawRoundedBox(p, QRectF(2, 2, 72, 28), 4, g, QColor(0x4A, 0x4A, 0x4A));
    // A stack of profile cards.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE0, 0x3A, 0x40), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(9.5, 11.5, 14, 10), 1.5, 1.5);
    p.drawLine(QPointF(11.5, 9), QPointF(25.5, 9));
    p.drawLine(QPointF(26.5, 11), QPointF(26.5, 19));
    return img;
}

QImage caption(bool chinese) {
    QImage img = solid(260, 20, palette::kTitleBar);
    QPainter p(&img);
    p.fillRect(QRect(0, 3, 1, 14), QColor(0x3A, 0x3A, 0x3A));
    p.setFont(uiFont(12));
    p.setPen(rgb(palette::kTextDim));
    p.drawText(QRect(10, 0, 250, 20), Qt::AlignVCenter | Qt::AlignLeft,
               tr(chinese, "最多可保存 6 组配置", "Keep up to six named profiles"));
    return img;
}

QImage headerBar(bool chevron, bool open, int dividerX = -1) {
    QImage img(kPanelWidth, 20, QImage::Format_RGB32);
    QPainter p(&img);
    drawHeaderBar(p, img.rect());
    if (dividerX >= 0) p.fillRect(QRect(dividerX, 4, 1, 12), QColor(0x48, 0x48, 0x48));
    if (chevron) drawChevron(p, QPointF(231, 10), open, QColor(0xE0, 0x3A, 0x40));
    return img;
}

QImage lightHeader() {
    QImage img = headerBar(false, false);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A small light: a red dot with rays.
    const QPointF c(231, 10);
    p.setBrush(QColor(0xE0, 0x3A, 0x40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, 3, 3);
    p.setPen(QPen(QColor(0xE0, 0x3A, 0x40), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        QLineF ray(c, c + QPointF(7, 0));
        ray.setAngle(45.0 * i);
        p.drawLine(QLineF(ray.pointAt(0.7), ray.p2()));
    }
    return img;
}

// An open section: its header (with divider where needed) over a body.
QImage openSection(int height, int dividerX = -1) {
    QImage img(kPanelWidth, height, QImage::Format_RGB32);
    QPainter p(&img);
    drawSectionBody(p, QRect(0, 20, kPanelWidth, height - 20));
    const QImage header = headerBar(true, true, dividerX);
    p.drawImage(0, 0, header);
    return img;
}

QImage lightingBody() {
    // Covers y 130..334: effect, direction or choice, swatches, brightness.
    QImage img(kPanelWidth, 205, QImage::Format_RGB32);
    QPainter p(&img);
    drawSectionBody(p, img.rect());
    return img;
}

QImage speedBody() {
    // Drawn at (19, 245) when the speed slider shows: a divider before it.
    QImage img(kPanelWidth, 89, QImage::Format_RGB32);
    QPainter p(&img);
    drawSectionBody(p, QRect(0, -1, kPanelWidth, 90));
    p.fillRect(QRect(9, 42, 221, 1), QColor(0x2A, 0x2A, 0x2A));  // abs 287
    return img;
}

QImage field() {
    QImage img = solid(221, 16, palette::kSectionBody);
    QPainter p(&img);
    p.fillRect(img.rect(), rgb(palette::kField));
    p.fillRect(QRect(0, 15, 221, 1), rgb(palette::kAccent).darker(130));
    p.fillRect(QRect(0, 0, 221, 1), QColor(0x3A, 0x3A, 0x3A));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE0, 0x3A, 0x40));
    const QPointF tri[] = {{205, 6}, {215, 6}, {210, 11}};
    p.drawPolygon(tri, 3);
    return img;
}

QImage swatchEight() {
    QImage img = solid(20, 20, palette::kSectionBody);
    QPainter p(&img);
    QConicalGradient g(10, 10, 90);
    const QColor stops[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::red};
    for (int i = 0; i < 7; ++i) g.setColorAt(i / 6.0, stops[i]);
    p.fillRect(img.rect(), g);
    return img;
}

QImage directionPicture(char which, bool enabled) {
    QImage img = solid(36, 16, palette::kSectionBody);
    QPainter p(&img);
    drawRoundedBox(p, QRectF(0, 0, 36, 16), 7,
                   enabled ? QBrush(QColor(0xB0, 0x22, 0x2A)) : QBrush(QColor(0x2C, 0x2C, 0x2C)),
                   enabled ? QColor(0xFF, 0x5A, 0x5A) : QColor(0x46, 0x46, 0x46));
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(18, 8);
    const qreal angle = which == 'T' ? -90 : which == 'B' ? 90 : which == 'L' ? 180 : 0;
    p.rotate(angle);
    p.setPen(QPen(enabled ? QColor(Qt::white) : QColor(0x8C, 0x8C, 0x8C), 1.6, Qt::SolidLine,
                  Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(-5, 0), QPointF(5, 0));
    const QPointF head[] = {{1.5, -3.5}, {5, 0}, {1.5, 3.5}};
    p.drawPolyline(head, 3);
    return img;
}

QImage choiceMark(bool enabled) {
    QImage img = solid(14, 14, palette::kSectionBody);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(enabled ? QColor(0xE0, 0x3A, 0x40) : QColor(0x70, 0x70, 0x70), 1.4));
    p.setBrush(QColor(0x14, 0x14, 0x14));
    p.drawEllipse(QRectF(1.2, 1.2, 11.6, 11.6));
    if (enabled) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xFF, 0x4A, 0x50));
        p.drawEllipse(QPointF(7, 7), 3.2, 3.2);
    }
    return img;
}

QImage macroBackground() {
    QImage img = solid(kPanelWidth, 55, kPanelBackdrop);
    QPainter p(&img);
    p.fillRect(QRect(0, 40, kPanelWidth, 1), QColor(0x24, 0x24, 0x24));
    return img;
}

QImage macroButton() {
    QImage img(241, 19, QImage::Format_RGB32);
    img.fill(rgb(kPanelBackdrop));
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 19);
    g.setColorAt(0, QColor(0xA8, 0x1E, 0x26));
    g.setColorAt(1, QColor(0x62, 0x0C, 0x12));
    drawRoundedBox(p, QRectF(0, 0, 241, 19), 3, g, QColor(0xD8, 0x40, 0x46));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF arrow[] = {{226, 5.5}, {230.5, 9.5}, {226, 13.5}};
    p.drawPolyline(arrow, 3);
    return img;
}

QImage reportRateOpen() {
    QImage img = openSection(62);
    QPainter p(&img);
    // One label under each of the four slider positions.
    const char* labels[] = {"125Hz", "250Hz", "500Hz", "1000Hz"};
    p.setFont(uiFont(10));
    p.setPen(rgb(palette::kTextDim));
    for (int pos = 0; pos < 4; ++pos) {
        const int thumb = placeThumbAt(220, 17, pos, 0, 3).thumbX + (pos == 0 ? 2 : 0);
        const int centre = 28 - 19 + thumb + kThumbPictureWidth / 2;
        p.fillRect(QRect(centre, 41, 1, 3), QColor(0x50, 0x50, 0x50));
        QRect r(centre - 30, 44, 60, 14);
        r = r.intersected(QRect(1, 0, kPanelWidth - 2, 62));
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(labels[pos]));
    }
    return img;
}

QImage helpWindow() {
    QImage img(167, 78, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(0x1A, 0x1A, 0x1A));
    p.fillRect(QRect(0, 0, 167, 2), rgb(palette::kAccent));
    p.setPen(QColor(0x44, 0x44, 0x44));
    p.drawRect(QRect(0, 0, 166, 77));
    p.fillRect(QRect(6, 25, 155, 1), QColor(0x30, 0x30, 0x30));
    p.fillRect(QRect(6, 50, 155, 1), QColor(0x30, 0x30, 0x30));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE0, 0x3A, 0x40), 1.3));
    p.setBrush(Qt::NoBrush);
    // Row icons left of the texts (drawn at x + 20): web, update, version.
    p.drawEllipse(QPointF(10, 12), 5, 5);
    p.drawLine(QPointF(5, 12), QPointF(15, 12));
    p.drawEllipse(QRectF(7.5, 7, 5, 10));
    p.drawLine(QPointF(10, 31), QPointF(10, 41));
    const QPointF down[] = {{6.5, 37.5}, {10, 41}, {13.5, 37.5}};
    p.drawPolyline(down, 3);
    p.drawLine(QPointF(6, 44), QPointF(14, 44));
    p.drawEllipse(QPointF(10, 62), 5, 5);
    p.drawLine(QPointF(10, 61), QPointF(10, 65));
    p.drawPoint(QPointF(10, 59));
    return img;
}

}  // namespace

std::vector<SkinPicture> mainWindowPictures(bool chinese) {
    std::vector<SkinPicture> out;
    auto add = [&out](const char* name, QImage img) {
        out.push_back({QString::fromLatin1(name), std::move(img)});
    };
    add("main.png", mainBackground(chinese));
    add("button-help-normal.png", windowButton(0));
    add("button-min-normal.png", windowButton(1));
    add("button-close-normal.png", windowButton(2));
    add("logo.png", logo());
    add("kb_BK.png", keyboardPicture(false));
    add("kb_hl.png", keyboardPicture(true));
    add("button-cancel-normal.png", bottomButton(false));
    add("button-save-normal.png", bottomButton(true));
    add("text.png", caption(chinese));
    add("Config.png", configButton());
    add("MacroManagementBK.png", macroBackground());
    add("MacroButton3.png", macroButton());
    add("HelpWindow.png", helpWindow());
    // Lighting.
    add("itemBK.png", lightHeader());
    add("LEDEffect_open.png", lightingBody());
    add("Light_Item.png", field());
    add("freq.png", speedBody());
    add("8.png", swatchEight());
    for (char d : {'T', 'B', 'R', 'L'}) {
        add(qPrintable(QStringLiteral("Direction-%1-Disable.png").arg(QLatin1Char(d))), directionPicture(d, false));
        add(qPrintable(QStringLiteral("Direction-%1-Enable.png").arg(QLatin1Char(d))), directionPicture(d, true));
    }
    add("Enable.png", choiceMark(true));
    add("Disable.png", choiceMark(false));
    // Option sections: the game-mode header also names the Windows-key lock at x 149.
    add("gamemode_Close.png", headerBar(true, false, 149 - 19 - 6));
    add("gamemode_open.png", openSection(50, 149 - 19 - 6));
    add("responsetime_close.png", headerBar(true, false));
    add("responsetime_open.png", openSection(50));
    add("reportrate_Close.png", headerBar(true, false));
    add("reportrate_Open.png", reportRateOpen());
    add("Thumb.png", resourceImage(kBitmapSliderThumb));
    return out;
}

}  // namespace orvane::skin
