#include <gtest/gtest.h>

#include <QFile>

#include <thread>

#include "drawing/skinimages.h"
#include "support/syntheticskin.h"

namespace orvane {
namespace {

using test::SyntheticSkin;

TEST(SkinImages, UnusableNamesAndMissingFilesGiveNoImage) {
    SyntheticSkin skin;
    // A file just outside the skin folder that no name may reach.
    test::SyntheticSkin::write(skin.dataFolder() + "png/", "secret.png", {4, 4, 0xFFFFFFFF});
    SkinImages images(skin.englishFolder());
    for (const char* name : {"", "/etc/passwd", "../secret.png", "./../secret.png",
                             "..\\secret.png", "no-such.png", "kb_BK.png/", "sub/../main.png"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(images.image(QString::fromUtf8(name)).isNull());
        EXPECT_TRUE(images.resolve(QString::fromUtf8(name)).isEmpty());
    }
    // A folder never set resolves nothing.
    SkinImages none;
    EXPECT_TRUE(none.image(u"main.png").isNull());
}

TEST(SkinImages, GarbageAndEmptyFilesGiveNoImage) {
    SyntheticSkin skin;
    QFile garbage(skin.englishFolder() + "kb_BK.png");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.write("\x89PNG\r\n\x1a\nthis is not a picture");
    garbage.close();
    QFile empty(skin.englishFolder() + "logo.png");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly | QIODevice::Truncate));
    empty.close();
    SkinImages images(skin.englishFolder());
    EXPECT_TRUE(images.image(u"kb_BK.png").isNull());
    EXPECT_TRUE(images.image(u"logo.png").isNull());
    EXPECT_FALSE(images.image(u"main.png").isNull());
}

TEST(SkinImages, NamesMatchFilesWhateverTheirCase) {
    SyntheticSkin skin;
    const QString folder = skin.englishFolder();
    ASSERT_TRUE(QFile::rename(folder + "Disable.png", folder + "disable.png"));
    QDir().mkpath(folder + "Custom");
    test::SyntheticSkin::write(folder + "Custom/", "Key_Normal.PNG", {3, 2, 0xFF123456});
    SkinImages images(folder);
    EXPECT_EQ(images.resolve(u"Disable.png"), folder + "disable.png");
    EXPECT_EQ(images.image(u"DISABLE.png").pixel(0, 0), test::skinColour("Disable.png"));
    EXPECT_EQ(images.image(u"custom/key_normal.png").pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(images.image(u"CUSTOM\\Key_Normal.png").size(), QSize(3, 2));
}

TEST(SkinImages, LanguageChoosesTheFolder) {
    EXPECT_EQ(SkinImages::skinFolder("/d/", 4), "/d/png/chinese/");
    EXPECT_EQ(SkinImages::skinFolder("/d/", 9), "/d/png/english/");
    EXPECT_EQ(SkinImages::skinFolder("/d/", 0), "/d/png/english/");
}

TEST(SkinImages, KeepsImagesButShowsAChangedFileAtItsNextUse) {
    SyntheticSkin skin;
    const QString folder = skin.englishFolder();
    SkinImages images(folder);
    ASSERT_EQ(images.image(u"logo.png").pixel(0, 0), test::skinColour("logo.png"));
    const int loads = images.loadCount();
    for (int i = 0; i < 5; ++i) images.image(u"logo.png");
    EXPECT_EQ(images.loadCount(), loads) << "an unchanged file is not read again";

    // Same size, same second: only the finer time stamp or the identity tells.
    test::SyntheticSkin::write(folder, "logo.png", {242, 62, 0xFFABCDEF});
    EXPECT_EQ(images.image(u"logo.png").pixel(0, 0), 0xFFABCDEFu);

    // Replaced by a file of another name case, the old one gone.
    ASSERT_TRUE(QFile::remove(folder + "logo.png"));
    EXPECT_TRUE(images.image(u"logo.png").isNull());
    test::SyntheticSkin::write(folder, "LOGO.png", {10, 10, 0xFF00AA00});
    EXPECT_EQ(images.image(u"logo.png").pixel(0, 0), 0xFF00AA00u);
}

TEST(SkinImages, AMissingFileThatAppearsIsFound) {
    SyntheticSkin skin;
    const QString folder = skin.englishFolder();
    SkinImages images(folder);
    EXPECT_TRUE(images.image(u"late.png").isNull());
    EXPECT_TRUE(images.image(u"late.png").isNull());
    test::SyntheticSkin::write(folder, "Late.png", {2, 2, 0xFF0000FF});
    EXPECT_EQ(images.image(u"late.png").pixel(0, 0), 0xFF0000FFu);
}

TEST(SkinImages, WithoutCachingEveryUseReadsTheFile) {
    SyntheticSkin skin;
    SkinImages images(skin.englishFolder());
    images.setCaching(false);
    images.image(u"logo.png");
    images.image(u"logo.png");
    EXPECT_EQ(images.loadCount(), 2);
}

TEST(SkinImages, TransparencyIsDroppedButColoursKept) {
    SyntheticSkin skin;
    QImage see(4, 1, QImage::Format_ARGB32);
    see.setPixel(0, 0, qRgba(200, 10, 20, 0));    // fully transparent red
    see.setPixel(1, 0, qRgba(10, 200, 20, 128));  // half transparent green
    see.setPixel(2, 0, qRgba(1, 2, 3, 255));
    see.setPixel(3, 0, qRgba(0, 0, 0, 0));
    ASSERT_TRUE(see.save(skin.englishFolder() + "see.png"));
    SkinImages images(skin.englishFolder());
    const QImage img = images.image(u"see.png");
    ASSERT_FALSE(img.hasAlphaChannel());
    EXPECT_EQ(img.pixel(0, 0), qRgb(200, 10, 20));
    EXPECT_EQ(img.pixel(1, 0), qRgb(10, 200, 20));
    EXPECT_EQ(img.pixel(2, 0), qRgb(1, 2, 3));
}

}  // namespace
}  // namespace orvane
