#include "skin/keyboardpicture.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "mainwindow/model/keypicturetable.h"
#include "skin/skinstyle.h"

namespace orvane::skin {

namespace {

// The body around the keys (keys span 24..624 x 112..277 of the picture).
const QRectF kBody(10.5, 97.5, 628, 196);

void drawStage(QPainter& p) {
    p.fillRect(QRect(0, 0, kKeyboardPictureWidth, kKeyboardPictureHeight), rgb(palette::kBackground));
    // A faint red glow under the board that fades to the window background
    // well inside the picture's edges.
    QRadialGradient glow(QPointF(324, 300), 330);
    glow.setColorAt(0, QColor(0x3A, 0x0A, 0x0C));
    glow.setColorAt(0.55, QColor(0x1A, 0x0F, 0x10));
    glow.setColorAt(1, rgb(palette::kBackground));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shadow;
    shadow.addEllipse(QRectF(0, 230, 660, 96));
    p.fillPath(shadow, glow);
    p.restore();
}

void drawBody(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(kBody, 12, 12);
    QLinearGradient fill(0, kBody.top(), 0, kBody.bottom());
    fill.setColorAt(0, QColor(0x26, 0x26, 0x26));
    fill.setColorAt(1, QColor(0x15, 0x15, 0x15));
    p.fillPath(body, fill);
    p.setPen(QPen(QColor(0x3A, 0x3A, 0x3A), 1));
    p.drawPath(body);
    // Red edge light along the front of the board.
    p.setPen(QPen(QColor(0xC3, 0x26, 0x2E), 2));
    p.drawLine(QPointF(kBody.left() + 14, kBody.bottom() + 1), QPointF(kBody.right() - 14, kBody.bottom() + 1));
    // Plate recess behind the key rows.
    QPainterPath plate;
    plate.addRoundedRect(QRectF(20.5, 108.5, 608, 173), 5, 5);
    p.fillPath(plate, QColor(0x10, 0x10, 0x10));
    // Lock indicators above the number pad and a small wordmark.
    for (int i = 0; i < 3; ++i) {
        const QPointF c(548 + 22 * i, 103);
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? QColor(0xE0, 0x30, 0x36) : QColor(0x3A, 0x3A, 0x3A));
        p.drawEllipse(c, 2.2, 2.2);
    }
    p.setPen(QColor(0x6A, 0x6A, 0x6A));
    p.setFont(uiFont(8, QFont::Bold, 2.2));
    p.drawText(QPointF(24, 106), QStringLiteral("ORVANE"));
    p.restore();
}

QString fitLabel(const QString& label, int width, QFont& font) {
    for (int px = 10; px >= 7; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).horizontalAdvance(label) <= width) return label;
    }
    // Still too wide at the smallest size: the first word carries the meaning.
    const QString first = label.section(u' ', 0, 0);
    return first.isEmpty() ? label : first;
}

void drawKey(QPainter& p, const KeyPicture& k, bool lit) {
    // The cap fills the area a highlight copy takes: right - left by bottom - top.
    const QRectF cap(k.left, k.top, k.right - k.left, k.bottom - k.top);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outer;
    outer.addRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    QLinearGradient skirt(0, cap.top(), 0, cap.bottom());
    QLinearGradient face(0, cap.top(), 0, cap.bottom());
    QColor edge, legend;
    if (lit) {
        skirt.setColorAt(0, QColor(0x8E, 0x16, 0x1C));
        skirt.setColorAt(1, QColor(0x4E, 0x08, 0x0C));
        face.setColorAt(0, QColor(0xC8, 0x2A, 0x32));
        face.setColorAt(1, QColor(0x8A, 0x14, 0x1A));
        edge = QColor(0xFF, 0x5A, 0x5A);
        legend = QColor(0xFF, 0xFF, 0xFF);
    } else {
        skirt.setColorAt(0, QColor(0x2E, 0x2E, 0x2E));
        skirt.setColorAt(1, QColor(0x1C, 0x1C, 0x1C));
        face.setColorAt(0, QColor(0x3C, 0x3C, 0x3C));
        face.setColorAt(1, QColor(0x2A, 0x2A, 0x2A));
        edge = QColor(0x08, 0x08, 0x08);
        legend = rgb(palette::kKeyLegend);
    }
    p.fillPath(outer, skirt);
    p.setPen(QPen(edge, 1));
    p.drawPath(outer);
    QPainterPath top;
    top.addRoundedRect(cap.adjusted(2.5, 1.5, -2.5, -4.5), 2, 2);
    p.fillPath(top, face);
    p.restore();

    QString text = QString::fromUtf16(k.label.data(), static_cast<qsizetype>(k.label.size()));
    if (text.isEmpty()) return;
    QFont font = uiFont(10, QFont::DemiBold);
    text = fitLabel(text, static_cast<int>(cap.width()) - 5, font);
    p.setFont(font);
    p.setPen(legend);
    p.drawText(cap.adjusted(1, 1, -1, -4).toRect(), Qt::AlignCenter | Qt::TextSingleLine, text);
}

}  // namespace

QImage keyboardPicture(bool lit) {
    QImage img(kKeyboardPictureWidth, kKeyboardPictureHeight, QImage::Format_RGB32);
    QPainter p(&img);
    drawStage(p);
    drawBody(p);
    for (const KeyPicture& k : KeyPictureTable)
        if (k.hasRectangle()) drawKey(p, k, lit);
    return img;
}

}  // namespace orvane::skin
