#include "drawing/skincanvas.h"

#include <QFont>
#include <QFontMetrics>

#include "drawing/skinimages.h"

namespace orvane {

namespace {
QColor toColor(SkinColor c) { return QColor::fromRgb(static_cast<QRgb>(c) | 0xFF000000u); }
}  // namespace

SkinCanvas::SkinCanvas(QImage& canvas, SkinImages& skin) : canvas_(canvas), skin_(skin) {
    painter_.begin(&canvas_);
    // A straight copy: images replace what lies under them, alpha or not.
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void SkinCanvas::DrawSkinImage(QStringView file, int x, int y) {
    const QImage img = skin_.image(file);
    if (!img.isNull()) painter_.drawImage(QPoint(x, y), img);
}

void SkinCanvas::DrawSkinImagePart(QStringView file, const QRect& source, int x, int y) {
    DrawImagePart(skin_.image(file), source, x, y);
}

void SkinCanvas::DrawImagePart(const QImage& image, const QRect& source, int x, int y) {
    if (image.isNull()) return;
    const QRect part = source.intersected(image.rect());
    if (part.isEmpty()) return;
    painter_.drawImage(QPoint(x + part.left() - source.left(), y + part.top() - source.top()),
                       image, part);
}

void SkinCanvas::DrawSkinText(const QString& text, int x, int y, SkinColor colour, int height) {
    if (text.isEmpty() || height <= 0) return;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(fontPixelSizeForHeight(height));
    font.setWeight(QFont::Light);
    painter_.save();
    // Text blends over the picture: the background stays transparent.
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setFont(font);
    painter_.setPen(toColor(colour));
    painter_.drawText(QRect(x, y, 4096, 4 * height),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
    painter_.restore();
}

int SkinCanvas::fontPixelSizeForHeight(int height) {
    // The height is the text's cell (ascent + descent), as a window-system font
    // height means; the em is somewhat smaller. Found once per height.
    const auto known = cellHeights_.constFind(height);
    if (known != cellHeights_.constEnd()) return *known;
    QFont font(QStringLiteral("Arial"));
    font.setWeight(QFont::Light);
    int size = height;
    for (; size > 1; --size) {
        font.setPixelSize(size);
        const QFontMetrics m(font);
        if (m.ascent() + m.descent() <= height) break;
    }
    cellHeights_.insert(height, size);
    return size;
}

void SkinCanvas::FillBox(int x, int y, int width, int height, SkinColor colour) {
    if (width <= 0 || height <= 0) return;
    painter_.fillRect(QRect(x, y, width, height), toColor(colour));
}

void SkinCanvas::FrameBox(int x, int y, int width, int height) {
    // The four sides as 1-pixel boxes; the outline covers x..x+w and y..y+h.
    const QColor white = toColor(kWhite);
    if (width < 0 || height < 0) return;
    painter_.fillRect(QRect(x, y, 1, height + 1), white);
    painter_.fillRect(QRect(x + width, y, 1, height + 1), white);
    painter_.fillRect(QRect(x, y, width + 1, 1), white);
    painter_.fillRect(QRect(x, y + height, width + 1, 1), white);
}

}  // namespace orvane
