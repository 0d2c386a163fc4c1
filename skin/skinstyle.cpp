#include "skin/skinstyle.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace orvane::skin {

QColor rgb(palette::Rgb c) { return QColor::fromRgb(static_cast<QRgb>(c) | 0xFF000000u); }

QImage solid(int width, int height, palette::Rgb fill) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(rgb(fill));
    return img;
}

QFont uiFont(int pixelSize, QFont::Weight weight, qreal letterSpacing) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferFullHinting);
    if (letterSpacing != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return f;
}

void drawHeaderBar(QPainter& p, const QRect& r) {
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, QColor(0x30, 0x30, 0x30));
    g.setColorAt(1, QColor(0x22, 0x22, 0x22));
    p.fillRect(r, g);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), QColor(0x3C, 0x3C, 0x3C));
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), rgb(palette::kAccent).darker(140));
}

void drawChevron(QPainter& p, QPointF c, bool open, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal d = open ? -1 : 1;
    const QPointF pts[] = {{c.x() - 4, c.y() - 2 * d}, {c.x(), c.y() + 2 * d}, {c.x() + 4, c.y() - 2 * d}};
    p.drawPolyline(pts, 3);
    p.restore();
}

void drawSectionBody(QPainter& p, const QRect& r) {
    p.fillRect(r, rgb(palette::kSectionBody));
    const QColor edge = rgb(palette::kHeaderEdge);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), edge);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), edge);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), edge);
}

void drawRoundedBox(QPainter& p, const QRectF& r, qreal radius, const QBrush& fill,
                    const QColor& edge) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.fillPath(path, fill);
    p.setPen(QPen(edge, 1));
    p.drawPath(path);
    p.restore();
}

void drawCentredText(QPainter& p, const QRect& r, const QString& text, const QFont& font,
                     const QColor& colour) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text);
    p.restore();
}

}  // namespace orvane::skin
