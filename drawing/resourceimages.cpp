#include "drawing/resourceimages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "drawing/skinpalette.h"

namespace orvane {

namespace {

QColor rgb(palette::Rgb c) { return QColor::fromRgb(static_cast<QRgb>(c) | 0xFF000000u); }

constexpr int kChannelWidth = 220;
constexpr int kChannelHeight = 17;

// The groove runs through the middle rows; the rest is section background so
// the channel meets the section picture it is drawn on.
QImage channel(bool full) {
    QImage img(kChannelWidth, kChannelHeight, QImage::Format_RGB32);
    img.fill(rgb(palette::kSectionBody));
    QPainter p(&img);
    const QRect groove(1, 6, kChannelWidth - 2, 5);
    p.fillRect(groove.adjusted(-1, -1, 1, 1), rgb(palette::kGrooveEdge));
    if (full) {
        QLinearGradient g(0, groove.top(), 0, groove.bottom());
        g.setColorAt(0, QColor(0xE0, 0x3A, 0x40));
        g.setColorAt(1, QColor(0x8A, 0x10, 0x16));
        p.fillRect(groove, g);
    } else {
        p.fillRect(groove, rgb(palette::kGroove));
        p.fillRect(QRect(groove.left(), groove.top(), groove.width(), 1), QColor(0x2A, 0x2A, 0x2A));
    }
    return img;
}

QImage thumb() {
    QImage img(15, 14, QImage::Format_RGB32);
    img.fill(rgb(palette::kSectionBody));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(6, 5), 8);
    g.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
    g.setColorAt(1, QColor(0x9A, 0x9A, 0x9A));
    p.setPen(QPen(rgb(palette::kAccent), 1.6));
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.0, 12.0, 12.0));
    return img;
}

QImage icon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 64-unit grid, so every size is a sharp drawing, not a scaled picture.
    p.scale(size / 64.0, size / 64.0);
    QPainterPath body;
    body.addRoundedRect(QRectF(3, 3, 58, 58), 12, 12);
    QLinearGradient bg(0, 0, 0, 64);
    bg.setColorAt(0, QColor(0x2A, 0x2A, 0x2A));
    bg.setColorAt(1, QColor(0x0E, 0x0E, 0x0E));
    p.fillPath(body, bg);
    p.setPen(QPen(rgb(palette::kAccent), 2.5));
    p.drawPath(body);
    // A keycap seen from above, lit red from below.
    QPainterPath cap;
    cap.addRoundedRect(QRectF(16, 14, 32, 30), 5, 5);
    QLinearGradient capFill(0, 14, 0, 44);
    capFill.setColorAt(0, QColor(0x44, 0x44, 0x44));
    capFill.setColorAt(1, QColor(0x22, 0x22, 0x22));
    p.fillPath(cap, capFill);
    p.setPen(QPen(QColor(0xFF, 0x4A, 0x4A), 1.5));
    p.drawPath(cap);
    p.fillRect(QRectF(14, 48, 36, 4), QColor(0xE0, 0x2A, 0x30));
    return img;
}

// The lists' background: the well the panels draw behind them, so a list
// painted over it is seamless.
QImage listBackground() {
    QImage img(127, 305, QImage::Format_RGB32);
    img.fill(rgb(palette::kListWell));
    return img;
}

// An arrow on the list's background: down (a key goes down) or up.
QImage keyIcon(bool down) {
    QImage img(10, 14, QImage::Format_RGB32);
    img.fill(rgb(palette::kListWell));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(down ? rgb(palette::kKeyLitEdge) : QColor(0x7A, 0xD0, 0x7A));
    QPainterPath arrow;
    if (down) {
        arrow.addRect(QRectF(3.5, 1, 3, 6));
        arrow.moveTo(0.5, 7);
        arrow.lineTo(9.5, 7);
        arrow.lineTo(5, 13);
        arrow.closeSubpath();
    } else {
        arrow.addRect(QRectF(3.5, 7, 3, 6));
        arrow.moveTo(0.5, 7);
        arrow.lineTo(9.5, 7);
        arrow.lineTo(5, 1);
        arrow.closeSubpath();
    }
    p.drawPath(arrow.simplified());
    return img;
}

// A small clock face.
QImage delayIcon() {
    QImage img(14, 14, QImage::Format_RGB32);
    img.fill(rgb(palette::kListWell));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE0, 0xC0, 0x40), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    p.drawLine(QPointF(7, 7), QPointF(7, 3.5));
    p.drawLine(QPointF(7, 7), QPointF(9.5, 8.5));
    return img;
}

}  // namespace

QImage applicationIcon(int size) { return size > 0 ? icon(size) : QImage(); }

QImage resourceImage(int id) {
    // Drawn once; function-local statics are initialised thread-safely.
    static const QImage empty = channel(false);
    static const QImage full = channel(true);
    static const QImage thumbImage = thumb();
    static const QImage iconImage = icon(64);
    static const QImage press = keyIcon(true);
    static const QImage release = keyIcon(false);
    static const QImage delay = delayIcon();
    static const QImage list = listBackground();
    switch (id) {
    case kBitmapPressIcon: return press;
    case kBitmapReleaseIcon: return release;
    case kBitmapDelayIcon: return delay;
    case kBitmapListBackground: return list;
    case kBitmapChannelEmpty: return empty;
    case kBitmapChannelFull: return full;
    case kBitmapSliderThumb: return thumbImage;
    case kIconApplication: return iconImage;
    default: return {};
    }
}

}  // namespace orvane
