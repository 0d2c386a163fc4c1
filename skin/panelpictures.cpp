#include "skin/panelpictures.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "skin/skinstyle.h"

namespace orvane::skin {

namespace {

// The key assignment panel's body; its "Disable" text box is refilled with it.
constexpr palette::Rgb kCustomBody = 0x232323;
constexpr palette::Rgb kPanelTitle = 0x161616;

void add(std::vector<SkinPicture>& out, const char* name, QImage img) {
    out.push_back({QString::fromLatin1(name), std::move(img)});
}

// A panel background: title strip with a red rule, body, 1-pixel frame.
QImage panelBackground(int w, int h, int titleHeight, palette::Rgb body) {
    QImage img = solid(w, h, body);
    QPainter p(&img);
    QLinearGradient title(0, 0, 0, titleHeight);
    title.setColorAt(0, QColor(0x1E, 0x1E, 0x1E));
    title.setColorAt(1, rgb(kPanelTitle));
    p.fillRect(QRect(0, 0, w, titleHeight), title);
    p.fillRect(QRect(0, titleHeight - 1, w, 1), rgb(palette::kAccent));
    p.setPen(QColor(0x44, 0x44, 0x44));
    p.drawRect(QRect(0, 0, w - 1, h - 1));
    return img;
}

QImage closeButton(int w, int h, palette::Rgb under, bool over) {
    QImage img = solid(w, h, under);
    QPainter p(&img);
    drawRoundedBox(p, QRectF(0, 0, w, h), 3, over ? QColor(0xB0, 0x22, 0x2A) : QColor(0x1E, 0x1E, 0x1E),
                   over ? QColor(0xFF, 0x5A, 0x5A) : QColor(0x3A, 0x3A, 0x3A));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(over ? QColor(Qt::white) : QColor(0xFF, 0x5A, 0x5A), 1.5, Qt::SolidLine, Qt::RoundCap));
    const qreal m = 4.5;
    p.drawLine(QPointF(m, m), QPointF(w - m, h - m));
    p.drawLine(QPointF(w - m, m), QPointF(m, h - m));
    return img;
}

// A push button in the normal, hover ("over") and pressed ("leave") looks.
QImage pushButton(int w, int h, palette::Rgb under, int look, bool primary) {
    QImage img = solid(w, h, under);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, h);
    QColor edge;
    if (primary || look == 1) {
        g.setColorAt(0, look == 1 ? QColor(0xE0, 0x3A, 0x42) : QColor(0xC0, 0x2A, 0x32));
        g.setColorAt(1, look == 1 ? QColor(0x9A, 0x16, 0x1E) : QColor(0x7E, 0x10, 0x16));
        edge = QColor(0xFF, 0x5A, 0x5A);
    } else {
        g.setColorAt(0, QColor(0x3A, 0x3A, 0x3A));
        g.setColorAt(1, QColor(0x26, 0x26, 0x26));
        edge = QColor(0x52, 0x52, 0x52);
    }
    if (look == 2) {  // pressed: darker, edge lit
        g.setColorAt(0, QColor(0x5A, 0x0A, 0x10));
        g.setColorAt(1, QColor(0x7A, 0x12, 0x18));
    }
    drawRoundedBox(p, QRectF(0, 0, w, h), 4, g, edge);
    return img;
}

// A small square check mark: empty, or ticked in red.
QImage checkBox(int w, int h, palette::Rgb under, bool ticked) {
    QImage img = solid(w, h, under);
    QPainter p(&img);
    drawRoundedBox(p, QRectF(0, 0, w, h), 2, QColor(0x12, 0x12, 0x12),
                   ticked ? QColor(0xE0, 0x3A, 0x40) : QColor(0x70, 0x70, 0x70));
    if (ticked) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xFF, 0x4A, 0x50), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF tick[] = {{w * 0.22, h * 0.52}, {w * 0.42, h * 0.74}, {w * 0.8, h * 0.26}};
        p.drawPolyline(tick, 3);
    }
    return img;
}

QImage tab() {
    QImage img = solid(81, 27, kCustomBody);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 27);
    g.setColorAt(0, QColor(0x34, 0x34, 0x34));
    g.setColorAt(1, QColor(0x26, 0x26, 0x26));
    p.fillRect(QRect(1, 0, 79, 27), g);
    p.fillRect(QRect(80, 6, 1, 18), QColor(0x46, 0x46, 0x46));
    p.fillRect(QRect(0, 26, 81, 1), QColor(0x14, 0x14, 0x14));
    return img;
}

QImage tabStrip() {
    QImage img = solid(325, 6, kPanelTitle);
    QPainter p(&img);
    p.fillRect(QRect(0, 4, 325, 2), QColor(0x5A, 0x0C, 0x10));
    return img;
}

QImage pageCursor() {
    QImage img = solid(10, 6, kPanelTitle);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0x4A, 0x50));
    const QPointF tri[] = {{0, 0}, {10, 0}, {5, 6}};
    p.drawPolygon(tri, 3);
    return img;
}

QImage pathBox() {
    QImage img = solid(159, 16, kCustomBody);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(0x6D, 0x6D, 0x6D).darker(250));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawRect(QRect(0, 0, 158, 15));
    return img;
}

QImage browseButton(bool over) {
    QImage img = pushButton(47, 16, kCustomBody, over ? 1 : 0, false);
    QPainter p(&img);
    // A folder, so the button needs no words.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(over ? QColor(Qt::white) : QColor(0xD0, 0xD0, 0xD0), 1.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath folder;
    folder.moveTo(17.5, 4.5);
    folder.lineTo(21.5, 4.5);
    folder.lineTo(23, 6);
    folder.lineTo(29.5, 6);
    folder.lineTo(29.5, 12.5);
    folder.lineTo(17.5, 12.5);
    folder.closeSubpath();
    p.drawPath(folder);
    return img;
}

QImage advanceBackground() {
    QImage img = solid(295, 112, kCustomBody);
    QPainter p(&img);
    for (int r = 0; r < 4; ++r)
        p.fillRect(QRect(0, 30 * r + 24, 295, 1), QColor(0x2E, 0x2E, 0x2E));
    return img;
}

QImage macroPanelBackground(bool chinese) {
    QImage img = panelBackground(410, 440, 36, palette::kSectionBody);
    QPainter p(&img);
    // Wells behind the two lists and the options column.
    const QColor well(0x14, 0x14, 0x14), edge(0x34, 0x34, 0x34);
    for (const QRect& r : {QRect(18, 78, 117, 279), QRect(148, 78, 117, 279), QRect(283, 78, 114, 279)}) {
        p.fillRect(r, well);
        p.setPen(edge);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.fillRect(QRect(18, 76, 117, 1), rgb(palette::kAccent).darker(130));
    p.fillRect(QRect(148, 76, 117, 1), rgb(palette::kAccent).darker(130));
    p.fillRect(QRect(283, 76, 114, 1), rgb(palette::kAccent).darker(130));
    p.fillRect(QRect(10, 360, 390, 1), QColor(0x2A, 0x2A, 0x2A));
    Q_UNUSED(chinese);
    return img;
}

QImage recordButton(int look) {
    // A plain button: its labels ("Start Recording" from x 2, the others from
    // x 20) use its whole width, so a record mark would sit under the text.
    return pushButton(90, 25, 0x141414, look, false);
}

QImage profileBackground() {
    QImage img(264, 632, QImage::Format_RGB32);
    img.fill(rgb(palette::kSectionBody));
    QPainter p(&img);
    // A mid-grey title strip: the title reads in dark or in white text.
    QLinearGradient title(0, 0, 0, 33);
    title.setColorAt(0, QColor(0xA6, 0xA6, 0xA6));
    title.setColorAt(1, QColor(0x8E, 0x8E, 0x8E));
    p.fillRect(QRect(0, 0, 264, 33), title);
    p.fillRect(QRect(0, 33, 264, 1), rgb(palette::kAccent));
    p.fillRect(QRect(1, 34, 260, 540), QColor(0x14, 0x14, 0x14));
    p.fillRect(QRect(0, 574, 264, 1), QColor(0x30, 0x30, 0x30));
    p.setPen(QColor(0x44, 0x44, 0x44));
    p.drawRect(QRect(0, 0, 263, 631));
    return img;
}

QImage profileButton(bool isNew) {
    QImage img = pushButton(67, 50, palette::kSectionBody, 0, false);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE0, 0x3A, 0x40), 2, Qt::SolidLine, Qt::RoundCap));
    // The label takes the top (drawn at y + 3); the symbol sits below it.
    if (isNew) {
        p.drawLine(QPointF(33.5, 27), QPointF(33.5, 43));
        p.drawLine(QPointF(25.5, 35), QPointF(41.5, 35));
    } else {
        p.drawLine(QPointF(26, 29), QPointF(41, 29));
        p.drawRoundedRect(QRectF(28, 31, 11, 13), 1.5, 1.5);
    }
    return img;
}

}  // namespace

std::vector<SkinPicture> keyAssignmentPictures(bool) {
    std::vector<SkinPicture> out;
    QImage bg = panelBackground(325, 275, 30, kCustomBody);
    {
        QPainter p(&bg);
        p.fillRect(QRect(10, 240, 305, 1), QColor(0x34, 0x34, 0x34));
    }
    add(out, "Custom/Custom_BK.png", bg);
    add(out, "Custom/button-close-normal.png", closeButton(16, 16, kPanelTitle, false));
    add(out, "Custom/button-close-over.png", closeButton(16, 16, kPanelTitle, true));
    add(out, "Custom/large_button.png", tab());
    add(out, "Custom/single_combine_option.png", tabStrip());
    add(out, "Custom/cursor.png", pageCursor());
    add(out, "Custom/Disable.png", checkBox(11, 10, kCustomBody, false));
    add(out, "Custom/Enable.png", checkBox(11, 10, kCustomBody, true));
    add(out, "Custom/button-cancel-normal.png", pushButton(42, 23, kCustomBody, 0, false));
    add(out, "Custom/button-cancel-over.png", pushButton(42, 23, kCustomBody, 1, false));
    add(out, "Custom/button-save-normal.png", pushButton(42, 23, kCustomBody, 0, true));
    add(out, "Custom/button-save-over.png", pushButton(42, 23, kCustomBody, 1, true));
    add(out, "Custom/Macro_BK.png", advanceBackground());
    add(out, "Custom/Advanced.png", pathBox());
    add(out, "Custom/view.png", browseButton(false));
    add(out, "Custom/view02.png", browseButton(true));
    return out;
}

std::vector<SkinPicture> macroManagerPictures(bool chinese) {
    std::vector<SkinPicture> out;
    add(out, "MacroManagement/MacroManagement.png", macroPanelBackground(chinese));
    add(out, "MacroManagement/Record-normal.png", recordButton(0));
    add(out, "MacroManagement/Record-over.png", recordButton(1));
    add(out, "MacroManagement/Record-leave.png", recordButton(2));
    add(out, "MacroManagement/Pane.png", checkBox(15, 15, 0x141414, false));
    add(out, "MacroManagement/PaneMakingTick.png", checkBox(15, 15, 0x141414, true));
    add(out, "MacroManagement/button-new-normal.png", pushButton(58, 25, palette::kSectionBody, 0, false));
    add(out, "MacroManagement/button-new-over.png", pushButton(58, 25, palette::kSectionBody, 1, false));
    add(out, "MacroManagement/button-new-leave.png", pushButton(58, 25, palette::kSectionBody, 2, false));
    return out;
}

std::vector<SkinPicture> profileManagerPictures(bool) {
    std::vector<SkinPicture> out;
    add(out, "Config/Config.png", profileBackground());
    add(out, "Config/button-close-normal.png", closeButton(17, 16, 0x9A9A9A, false));
    add(out, "Config/New.png", profileButton(true));
    add(out, "Config/Delete.png", profileButton(false));
    return out;
}

}  // namespace orvane::skin
