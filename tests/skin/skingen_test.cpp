#include <gtest/gtest.h>

#include <QCoreApplication>

#include "mainwindow/model/keypicturetable.h"
#include "drawing/skinimages.h"

namespace orvane {
namespace {

// The pictures the main window draws, with the size each must have to fit
// its place and its click rectangle.
struct Expected { const char* name; int width, height; };
const Expected kPictures[] = {
    {"main.png", 1000, 645},
    {"button-help-normal.png", 17, 16},      // region (936, 5)-(952, 20)
    {"button-min-normal.png", 17, 16},
    {"button-close-normal.png", 17, 16},
    {"logo.png", 242, 62},                   // inside the logo region (19, 32)-(261, 102)
    {"kb_BK.png", 680, 330},
    {"kb_hl.png", 680, 330},
    {"button-cancel-normal.png", 58, 30},    // Default (800..857) and Cancel (862..919)
    {"button-save-normal.png", 58, 30},
    {"text.png", 260, 20},
    {"Config.png", 76, 32},
    {"MacroManagementBK.png", 243, 55},      // the macro section's height
    {"MacroButton3.png", 241, 19},           // region (19, yM + 10)-(259, yM + 28)
    {"HelpWindow.png", 167, 78},             // (830, 22)-(996, 99)
    {"itemBK.png", 243, 20},
    {"LEDEffect_open.png", 243, 205},        // 130..334, down to the macro section
    {"Light_Item.png", 221, 16},             // field (28, 158)-(248, 173)
    {"freq.png", 243, 89},
    {"8.png", 20, 20},                       // swatch (203, 223)-(222, 242)
    {"Direction-T-Disable.png", 36, 16}, {"Direction-T-Enable.png", 36, 16},
    {"Direction-B-Disable.png", 36, 16}, {"Direction-B-Enable.png", 36, 16},
    {"Direction-R-Disable.png", 36, 16}, {"Direction-R-Enable.png", 36, 16},
    {"Direction-L-Disable.png", 36, 16}, {"Direction-L-Enable.png", 36, 16},
    {"Enable.png", 14, 14}, {"disable.png", 14, 14},
    {"gamemode_Close.png", 243, 20}, {"gamemode_open.png", 243, 50},
    {"responsetime_close.png", 243, 20}, {"responsetime_open.png", 243, 50},
    {"reportrate_Close.png", 243, 20}, {"reportrate_Open.png", 243, 62},
    {"Thumb.png", 15, 14},
};

// The panels' pictures, by the sizes of the regions they are drawn at.
const Expected kPanelPictures[] = {
    {"Custom/Custom_BK.png", 325, 275},
    {"Custom/button-close-normal.png", 16, 16}, {"Custom/button-close-over.png", 16, 16},
    {"Custom/large_button.png", 81, 27},
    {"Custom/single_combine_option.png", 325, 6},
    {"Custom/cursor.png", 10, 6},
    {"Custom/Disable.png", 11, 10}, {"Custom/enable.png", 11, 10},
    {"Custom/button-cancel-normal.png", 42, 23}, {"Custom/button-cancel-over.png", 42, 23},
    {"Custom/button-save-normal.png", 42, 23}, {"Custom/button-save-over.png", 42, 23},
    {"Custom/Macro_BK.png", 295, 112},
    {"Custom/Advanced.png", 159, 16},
    {"Custom/view.png", 47, 16}, {"Custom/view02.png", 47, 16},
    {"MacroManagement/MacroManagement.png", 410, 440},
    {"MacroManagement/Record-normal.png", 90, 25}, {"MacroManagement/Record-over.png", 90, 25},
    {"MacroManagement/Record-leave.png", 90, 25},
    {"MacroManagement/Pane.png", 15, 15}, {"MacroManagement/PaneMakingTick.png", 15, 15},
    {"MacroManagement/button-new-normal.png", 58, 25},
    {"MacroManagement/button-new-over.png", 58, 25},
    {"MacroManagement/button-new-leave.png", 58, 25},
    {"Config/Config.png", 264, 632},
    {"Config/button-close-normal.png", 17, 16},
    {"Config/New.png", 67, 50}, {"Config/Delete.png", 67, 50},
};

QString skinOf(const char* language) {
    return QCoreApplication::applicationDirPath() + "/png/" + language + "/";
}

TEST(GeneratedSkin, EveryPictureExistsInBothLanguagesAtItsSize) {
    for (const char* language : {"english", "chinese"}) {
        SkinImages skin(skinOf(language));
        for (const Expected& e : kPictures) {
            SCOPED_TRACE(testing::Message() << language << "/" << e.name);
            const QImage img = skin.image(QString::fromLatin1(e.name));
            ASSERT_FALSE(img.isNull());
            EXPECT_EQ(img.size(), QSize(e.width, e.height));
        }
    }
}

TEST(GeneratedSkin, PanelPicturesInTheirSubfolders) {
    for (const char* language : {"english", "chinese"}) {
        SkinImages skin(skinOf(language));
        for (const Expected& e : kPanelPictures) {
            SCOPED_TRACE(testing::Message() << language << "/" << e.name);
            const QImage img = skin.image(QString::fromLatin1(e.name));
            ASSERT_FALSE(img.isNull());
            EXPECT_EQ(img.size(), QSize(e.width, e.height));
        }
    }
}

TEST(GeneratedSkin, HighlightPictureDiffersFromThePlainOneExactlyOnTheKeys) {
    SkinImages skin(skinOf("english"));
    const QImage plain = skin.image(u"kb_BK.png");
    const QImage lit = skin.image(u"kb_hl.png");
    ASSERT_EQ(plain.size(), lit.size());
    QImage onKey(plain.size(), QImage::Format_Mono);
    onKey.fill(0);
    for (const KeyPicture& k : KeyPictureTable) {
        if (!k.hasRectangle()) continue;
        // Every key is lit in its rectangle's middle.
        const int cx = (k.left + k.right) / 2, cy = k.top + 3;
        EXPECT_NE(plain.pixel(cx, cy), lit.pixel(cx, cy)) << std::string(k.label.begin(), k.label.end());
        for (int y = k.top; y < k.bottom; ++y)
            for (int x = k.left; x < k.right; ++x) onKey.setPixel(x, y, 1);
    }
    int strays = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (!onKey.pixelIndex(x, y) && plain.pixel(x, y) != lit.pixel(x, y)) ++strays;
    EXPECT_EQ(strays, 0) << "outside the key rectangles both pictures are the same";
}

TEST(GeneratedSkin, LanguagesShareTheLayoutButNotTheCaptions) {
    SkinImages en(skinOf("english")), zh(skinOf("chinese"));
    EXPECT_EQ(en.image(u"kb_BK.png"), zh.image(u"kb_BK.png"));
    EXPECT_NE(en.image(u"text.png"), zh.image(u"text.png"));
    EXPECT_EQ(en.image(u"main.png").size(), zh.image(u"main.png").size());
}

}  // namespace
}  // namespace orvane
