#include <gtest/gtest.h>

#include "drawing/skincanvas.h"
#include "drawing/skinimages.h"
#include "support/syntheticskin.h"

namespace orvane {
namespace {

constexpr QRgb kGround = 0xFF0A0B0C;

QImage ground(int w = 60, int h = 40) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kGround);
    return img;
}

TEST(SkinCanvas, BoxesWithNothingToDrawLeaveTheCanvasAlone) {
    SkinImages none;
    QImage img = ground();
    {
        SkinCanvas c(img, none);
        c.FillBox(5, 5, 0, 10, 0xFFFFFF);
        c.FillBox(5, 5, 10, -3, 0xFFFFFF);
        c.FrameBox(5, 5, -1, 4);
        c.DrawSkinImage(u"missing.png", 0, 0);
        c.DrawSkinText(QString(), 0, 0, 0xFFFFFF, 12);
        c.DrawSkinText(QStringLiteral("x"), 0, 0, 0xFFFFFF, 0);
        c.DrawImagePart(QImage(), QRect(0, 0, 5, 5), 0, 0);
    }
    EXPECT_EQ(img, ground());
}

TEST(SkinCanvas, FillBoxExcludesRightAndBottomEdges) {
    SkinImages none;
    QImage img = ground();
    {
        SkinCanvas c(img, none);
        c.FillBox(10, 5, 20, 20, 0x500000);
    }
    EXPECT_EQ(img.pixel(10, 5), qRgb(0x50, 0, 0));
    EXPECT_EQ(img.pixel(29, 24), qRgb(0x50, 0, 0));
    EXPECT_EQ(img.pixel(30, 24), kGround);
    EXPECT_EQ(img.pixel(29, 25), kGround);
    EXPECT_EQ(img.pixel(9, 5), kGround);
}

TEST(SkinCanvas, FrameBoxOutlinesThroughAllFourCorners) {
    SkinImages none;
    QImage img = ground();
    {
        SkinCanvas c(img, none);
        c.FrameBox(26, 10, 23, 23);
    }
    const QRgb white = qRgb(255, 255, 255);
    for (auto [x, y] : {std::pair{26, 10}, {26, 33}, {49, 33}, {49, 10}, {37, 10}, {26, 20}, {49, 20}, {37, 33}})
        EXPECT_EQ(img.pixel(x, y), white) << x << "," << y;
    EXPECT_EQ(img.pixel(27, 11), kGround);  // inside stays
    EXPECT_EQ(img.pixel(50, 10), kGround);
    EXPECT_EQ(img.pixel(26, 34), kGround);
}

TEST(SkinCanvas, SkinImagesReplaceEveryPixelOfTheirRectangle) {
    test::SyntheticSkin skin;
    QImage clear(8, 8, QImage::Format_ARGB32);
    clear.fill(qRgba(30, 40, 50, 0));  // fully transparent
    ASSERT_TRUE(clear.save(skin.englishFolder() + "clear.png"));
    SkinImages images(skin.englishFolder());
    QImage img = ground();
    {
        SkinCanvas c(img, images);
        c.DrawSkinImage(u"clear.png", 4, 4);
        c.DrawSkinImagePart(u"kb_hl.png", QRect(670, 320, 20, 20), 30, 20);  // clipped to 10 x 10
    }
    EXPECT_EQ(img.pixel(4, 4), qRgb(30, 40, 50));
    EXPECT_EQ(img.pixel(11, 11), qRgb(30, 40, 50));
    EXPECT_EQ(img.pixel(12, 12), kGround);
    EXPECT_EQ(img.pixel(30, 20), test::skinColour("kb_hl.png"));
    EXPECT_EQ(img.pixel(39, 29), test::skinColour("kb_hl.png"));
    EXPECT_EQ(img.pixel(40, 30), kGround);
}

TEST(SkinCanvas, TextKeepsItsBackgroundAndStaysInItsCell) {
    SkinImages none;
    QImage img = ground(120, 40);
    {
        SkinCanvas c(img, none);
        c.DrawSkinText(QStringLiteral("Save"), 10, 10, 0xFFFFFF, 16);
    }
    int lit = 0, outside = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) == kGround) continue;
            ++lit;
            if (y < 10 || y >= 26 || x < 10) ++outside;
        }
    }
    EXPECT_GT(lit, 30) << "the text was drawn";
    EXPECT_EQ(outside, 0) << "nothing above, below or left of the text's cell changed";
    // Between the letters the background shows through.
    EXPECT_EQ(img.pixel(10, 11), kGround);
}

}  // namespace
}  // namespace orvane
