// The four drawing primitives of the skinned windows, on an off-screen
// canvas: opaque skin images, light "Arial" text, solid boxes and white
// outlines. Everything is composed here and copied to the screen in one step.
#pragma once

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace orvane {

class SkinImages;

// 0xRRGGBB, as the colours of the main window are written.
using SkinColor = std::uint32_t;
inline constexpr SkinColor kWhite = 0xFFFFFF;

class SkinCanvas {
public:
    // Paints on `canvas` (which must not be null) until destroyed.
    SkinCanvas(QImage& canvas, SkinImages& skin);
    SkinCanvas(const SkinCanvas&) = delete;
    SkinCanvas& operator=(const SkinCanvas&) = delete;

    // The whole skin image at its own size with its top-left at (x, y); every
    // pixel of that rectangle is replaced (the file's transparency is not
    // honoured). A missing or unreadable image draws nothing.
    void DrawSkinImage(QStringView file, int x, int y);

    // The part `source` of a skin image to (x, y), opaquely; the part is
    // clipped to the image. Missing image: nothing.
    void DrawSkinImagePart(QStringView file, const QRect& source, int x, int y);

    // Any image (the program's own bitmaps), the part `source` to (x, y).
    void DrawImagePart(const QImage& image, const QRect& source, int x, int y);

    // Text in "Arial", light weight, whose cell (ascent + descent) is at most
    // `height` pixels, with its top-left corner at (x, y), on a transparent
    // background.
    void DrawSkinText(const QString& text, int x, int y, SkinColor colour, int height);

    // Solid box from (x, y) to (x + width, y + height), right and bottom excluded.
    void FillBox(int x, int y, int width, int height, SkinColor colour);

    // White 1-pixel outline through (x, y), (x, y + h), (x + w, y + h), (x + w, y).
    void FrameBox(int x, int y, int width, int height);

    SkinImages& skin() { return skin_; }
    QImage& image() { return canvas_; }

private:
    int fontPixelSizeForHeight(int height);

    QImage& canvas_;
    QHash<int, int> cellHeights_;
    SkinImages& skin_;
    QPainter painter_;
};

}  // namespace orvane
