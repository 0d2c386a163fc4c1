#include <gtest/gtest.h>

#include <QFile>

#include "keyboardstate/keytables.h"
#include "mainwindow/model/keypicturetable.h"
#include "painttestsupport.h"
#include <cstring>
#include <functional>
#include <tuple>

namespace orvane {
namespace {

using test::PaintFixture;
using test::skinColour;

QPoint keyInside(std::size_t p) {
    const KeyPicture& k = KeyPictureTable[p];
    return {kKeyboardPictureX + k.left + 1, kKeyboardPictureY + k.bottom - 2};
}

TEST(PaintAll, WithoutAnySkinTheCanvasIsBlackAndKeepsItsSize) {
    PaintFixture f;
    f.images.setFolder(f.skin.dataFolder() + "png/none/");
    f.paint();
    EXPECT_EQ(f.canvas.size(), QSize(kFallbackWindowWidth, kFallbackWindowHeight));
    f.canvas = QImage(640, 480, QImage::Format_RGB32);
    f.paint();
    EXPECT_EQ(f.canvas.size(), QSize(640, 480));
    EXPECT_EQ(f.at(600, 100), qRgb(0, 0, 0));
}

TEST(PaintAll, CanvasTakesTheSizeOfMainPngAndStartsFresh) {
    PaintFixture f;
    f.state.SelectedKeyPosition = 42;
    f.paint();
    EXPECT_EQ(f.canvas.size(), QSize(1000, 645));
    EXPECT_EQ(f.at(keyInside(42).x(), keyInside(42).y()), skinColour("kb_hl.png"));
    f.state.SelectedKeyPosition = kNoKey;
    f.paint();
    EXPECT_EQ(f.at(keyInside(42).x(), keyInside(42).y()), skinColour("kb_BK.png"))
        << "nothing of the last repaint survives";
    EXPECT_EQ(f.at(600, 500), skinColour("main.png"));
}

TEST(PaintAll, WindowsKeyFlagIsClearedAndNeverDrawn) {
    PaintFixture f;
    f.image->modifiedKeyFlags[96] = 1;
    f.image->modifiedKeyFlags[42] = 1;
    f.image->modifiedKeyFlags[200] = 1;  // beyond the key positions: ignored
    f.paint();
    EXPECT_EQ(f.image->modifiedKeyFlags[96], 0);
    EXPECT_EQ(f.at(keyInside(96).x(), keyInside(96).y()), skinColour("kb_BK.png"));
    EXPECT_EQ(f.at(keyInside(42).x(), keyInside(42).y()), skinColour("kb_hl.png"));
    // The highlight copies exactly right - left by bottom - top pixels.
    const KeyPicture& q = KeyPictureTable[42];
    EXPECT_EQ(f.at(kKeyboardPictureX + q.right - 1, kKeyboardPictureY + q.bottom - 1), skinColour("kb_hl.png"));
    EXPECT_EQ(f.at(kKeyboardPictureX + q.right, kKeyboardPictureY + q.top), skinColour("kb_BK.png"));
}

TEST(PaintAll, SelectionWithoutAPictureHighlightsNothing) {
    for (int selected : {16, 19, 108, 200}) {
        SCOPED_TRACE(selected);
        PaintFixture f;
        f.state.SelectedKeyPosition = static_cast<std::uint8_t>(selected);
        f.paint();
        const QImage bk = f.canvas.copy(kKeyboardPictureX, kKeyboardPictureY, 680, 330);
        for (int y = 0; y < bk.height(); y += 3)
            for (int x = 0; x < bk.width(); x += 3)
                ASSERT_EQ(bk.pixel(x, y), skinColour("kb_BK.png"));
    }
}

TEST(PaintAll, PerKeyColoursWithLabelsInTheInverseColour) {
    PaintFixture f;
    f.led().LEDEffectMode = 51;
    f.state.DiyColorMode = true;
    f.state.SelectedKeyPosition = 63;  // A, framed
    auto table = keyColorTable(f.data(), 0);
    const std::size_t q = KeyPositionEntryMap[42], w = KeyPositionEntryMap[43];
    table[q + 1] = table[q + 2] = table[q + 3] = 255;  // Q white
    table[w + 1] = 0x20;                                // W dark red
    f.image->modifiedKeyFlags[96] = 1;
    f.paint();

    EXPECT_EQ(f.image->modifiedKeyFlags[96], 0);
    const KeyPicture& kq = KeyPictureTable[42];
    EXPECT_EQ(f.at(kKeyboardPictureX + kq.left, kKeyboardPictureY + kq.top), qRgb(255, 255, 255));
    // The label of a white key is drawn in black.
    int dark = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            if (qRed(f.at(kKeyboardPictureX + kq.labelX + x, kKeyboardPictureY + kq.labelY + y)) < 90) ++dark;
    EXPECT_GT(dark, 4);
    EXPECT_EQ(f.at(keyInside(43).x(), keyInside(43).y()), qRgb(0x20, 0, 0));
    // Keys left black show the plain picture, and no highlights are copied.
    EXPECT_EQ(f.at(keyInside(44).x(), keyInside(44).y()), skinColour("kb_BK.png"));
    // The selected key is framed two pixels outside its rectangle.
    const KeyPicture& a = KeyPictureTable[63];
    EXPECT_EQ(f.at(a.left + 302, a.top + 78), qRgb(255, 255, 255));
    EXPECT_EQ(f.at(a.right + 305, a.bottom + 81), qRgb(255, 255, 255));
}

TEST(PaintAll, EffectsWithoutAColourTableDrawNoKeyColours) {
    PaintFixture f;
    f.state.DiyColorMode = true;
    auto first = keyColorTable(f.data(), 0);
    first[KeyPositionEntryMap[42] + 1] = 0xFF;
    for (int mode : {2, 56, 255}) {
        SCOPED_TRACE(mode);
        f.led().LEDEffectMode = static_cast<std::uint8_t>(mode);
        f.paint();
        EXPECT_EQ(f.at(keyInside(42).x(), keyInside(42).y()), skinColour("kb_BK.png"));
    }
}

TEST(PaintAll, SaveLabelPlaceDependsOnTheLanguage) {
    for (auto [language, text, x] : {std::tuple{kLanguageEnglish, "Save", 938},
                                     std::tuple{kLanguageChinese, "保存", 934}}) {
        SCOPED_TRACE(x);
        PaintFixture f(language);
        f.paint();
        const QRect area(924, 605, 58, 30);
        const QString label = QString::fromUtf8(text);
        EXPECT_TRUE(test::sameIn(f.canvas, f.reference(label, x, 612, 16, skinColour("button-save-normal.png")), area));
        EXPECT_FALSE(test::sameIn(f.canvas, f.reference(label, x == 938 ? 934 : 938, 612, 16,
                                                        skinColour("button-save-normal.png")), area));
    }
}

TEST(PaintAll, SectionTopsFollowTheCollapseFlags) {
    struct Row { bool lighting, response; int yP; };
    for (const Row& r : {Row{true, true, 290}, Row{false, false, 520}, Row{false, true, 485}}) {
        SCOPED_TRACE(r.yP);
        PaintFixture f;
        f.state.LightingCollapsed = r.lighting;
        f.state.ResponseTimeCollapsed = r.response;
        f.paint();
        EXPECT_EQ(f.at(260, r.yP), skinColour("reportrate_Close.png"));
        EXPECT_NE(f.at(260, r.yP - 1), skinColour("reportrate_Close.png"));
        EXPECT_EQ(f.at(260, r.lighting ? 140 : 335), skinColour("MacroManagementBK.png"));
    }
}

TEST(PaintAll, ResponseTimeIsShownAsTwiceItsValueInMilliseconds) {
    PaintFixture f;
    f.state.ResponseTimeCollapsed = false;
    f.data().ResponseTime = 10;
    f.paint();
    const int yT = 250;
    const QRect text(100, yT + 28, 120, 15);
    const QRgb under = skinColour("Light_Item.png");
    EXPECT_TRUE(test::sameIn(f.canvas, f.reference("20 ms", 100, yT + 28, 15, under), text));
    EXPECT_FALSE(test::sameIn(f.canvas, f.reference("10 ms", 100, yT + 28, 15, under), text));
}

TEST(PaintAll, ResponseTimeListRowsAndSelection) {
    PaintFixture f;
    f.state.ResponseTimeCollapsed = false;
    f.state.Popup_ResponseTime = true;
    f.state.SelectedResponseTimeItem = 2;
    f.state.slider(SliderKind::Brightness).visible = true;
    f.paint();
    const int Y = 250 - 173;
    EXPECT_EQ(f.at(27 + 219, Y + 2 * 20 + 1), qRgb(0x50, 0, 0));
    EXPECT_EQ(f.at(27 + 219, Y + 1), qRgb(0x3B, 0x3B, 0x3B));
    EXPECT_EQ(f.at(27 + 219, Y + 199), qRgb(0x3B, 0x3B, 0x3B));
    EXPECT_NE(f.at(27 + 220, Y + 1), qRgb(0x3B, 0x3B, 0x3B));
    EXPECT_FALSE(f.state.slider(SliderKind::Brightness).visible);
    EXPECT_FALSE(f.state.slider(SliderKind::Speed).visible);
}

TEST(PaintAll, GameModeChoicesAndHeaders) {
    PaintFixture f(kLanguageChinese);
    f.paint();
    // Collapsed, Chinese: only the game-mode name on the header; no "Win Lock" at 149.
    const QRect winLock(149, 195, 60, 15);
    EXPECT_TRUE(test::sameIn(f.canvas, f.reference("", 0, 0, 15, skinColour("gamemode_Close.png")), winLock));

    PaintFixture e;
    e.paint();
    EXPECT_FALSE(test::sameIn(e.canvas, e.reference("", 0, 0, 15, skinColour("gamemode_Close.png")), winLock));

    e.state.GameModeCollapsed = false;
    e.data().GameMode = 1;
    e.data().WinLock = 0;
    e.paint();
    EXPECT_EQ(e.at(34, 195 + 33), skinColour("Enable.png"));
    EXPECT_EQ(e.at(88, 195 + 33), skinColour("Disable.png"));
    EXPECT_EQ(e.at(164, 195 + 33), skinColour("Disable.png"));
    EXPECT_EQ(e.at(218, 195 + 33), skinColour("Enable.png"));
}

TEST(PaintAll, HelpWindowOnTopOfEverything) {
    PaintFixture f;
    f.paint();
    EXPECT_EQ(f.at(990, 95), skinColour("main.png"));
    f.state.HelpWindowOpen = true;
    f.paint();
    EXPECT_EQ(f.at(990, 95), skinColour("HelpWindow.png"));
    EXPECT_EQ(f.at(830, 22), skinColour("HelpWindow.png"));
}

TEST(PaintAll, ASkinFileChangedOnDiskShowsAtTheNextRepaint) {
    PaintFixture f;
    f.paint();
    EXPECT_EQ(f.at(400, 100), skinColour("kb_BK.png"));
    test::SyntheticSkin::write(f.images.folder(), "kb_bk.png.tmp", {680, 330, 0xFF0000AA});
    ASSERT_TRUE(QFile::remove(f.images.folder() + "kb_BK.png"));
    ASSERT_TRUE(QFile::rename(f.images.folder() + "kb_bk.png.tmp", f.images.folder() + "kb_BK.png"));
    f.paint();
    EXPECT_EQ(f.at(400, 100), 0xFF0000AAu);
    test::SyntheticSkin::write(f.images.folder(), "kb_BK.png", {680, 330, 0xFF00AA00});
    f.paint();
    EXPECT_EQ(f.at(400, 100), 0xFF00AA00u);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

using test::PaintFixture;

// Painting takes the settings image and the window state as const; this
// proves no cast or shared alias gets round that: two paints of one settled
// state leave both byte-identical and draw the same pixels.
TEST(PaintReadsOnly, PaintingTwiceChangesNeitherSettingsNorState) {
    const std::function<void(PaintFixture&)> setups[] = {
        [](PaintFixture&) {},
        [](PaintFixture& f) {
            f.state.LightingCollapsed = false;
            f.led().LEDEffectColor = 0;
            f.state.slider(SliderKind::Speed).position = 99;
        },
        [](PaintFixture& f) {
            f.state.LightingCollapsed = false;
            f.state.DiyColorMode = true;
            f.led().LEDEffectMode = 52;
            f.image->modifiedKeyFlags[96] = 1;
        },
        [](PaintFixture& f) {
            f.state.LightingCollapsed = false;
            f.state.EffectListOpen = true;
            f.state.ReportRateCollapsed = false;
            f.state.SelectedKeyPosition = 42;
        },
        [](PaintFixture& f) {
            f.state.Popup_ResponseTime = true;
            f.state.HelpWindowOpen = true;
        },
    };
    int n = 0;
    for (const auto& setup : setups) {
        SCOPED_TRACE(n++);
        PaintFixture f;
        setup(f);
        settleMainWindow(*f.image, f.state);
        const SettingsImage before = *f.image;
        const MainWindowState stateBefore = f.state;
        PaintAll(f.canvas, *f.image, f.state, f.images, QStringLiteral("www.orvane.example"));
        const QImage first = f.canvas.copy();
        PaintAll(f.canvas, *f.image, f.state, f.images, QStringLiteral("www.orvane.example"));
        EXPECT_EQ(std::memcmp(&before, f.image.get(), sizeof before), 0);
        for (std::size_t k = 0; k < 3; ++k) {
            const SliderFace &a = stateBefore.sliders[k], &b = f.state.sliders[k];
            EXPECT_EQ(std::tie(a.x, a.y, a.width, a.height, a.position, a.thumbX, a.thumbY, a.visible),
                      std::tie(b.x, b.y, b.width, b.height, b.position, b.thumbX, b.thumbY, b.visible));
        }
        EXPECT_EQ(stateBefore.reportSliderPlacedAt, f.state.reportSliderPlacedAt);
        EXPECT_EQ(stateBefore.SelectedKeyPosition, f.state.SelectedKeyPosition);
        EXPECT_EQ(first, f.canvas);
    }
}

}  // namespace
}  // namespace orvane
