#include <gtest/gtest.h>

#include <memory>

#include "drawing/skinimages.h"
#include "macros/model/macropanelcontroller.h"
#include "macros/view/macropanelpaint.h"
#include "macro_test_fakes.h"
#include "macroskin.h"

namespace orvane {
namespace {

bool whiteIn(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) > 200 && qBlue(image.pixel(x, y)) > 200)
                return true;
    return false;
}

class PanelPaint : public ::testing::Test {
protected:
    test::TempDir dir;
    test::FakeClock clock;
    test::FakeHook hook;
    test::SilentHost host;
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();

    void SetUp() override {
        test::writeMacroSkin(dir.path());
        setFixedText(store->records[0].name, u"A");
        store->records[0].loopCount = 1;
    }
    QImage paint(const MacroPanelController& panel, const char* language = "english") {
        SkinImages skin(QString::fromStdString((dir.path() / "png" / language / "MacroManagement").string()) + u'/');
        QImage canvas;
        paintMacroPanel(canvas, skin, panel);
        return canvas;
    }
};

TEST_F(PanelPaint, EachRegionShowsTheImageOfItsStateAtItsCorner) {
    MacroPanelController panel(kLanguageEnglish, hook, clock, host);
    panel.open(*store);
    struct Step { int hoverX, hoverY; QRgb record, newButton, ok; };
    const Step steps[] = {
        {0, 0, test::kRecordNormal, test::kButtonNormal, test::kButtonNormal},
        {300, 110, test::kRecordOver, test::kButtonNormal, test::kButtonNormal},
        {40, 380, test::kRecordNormal, test::kButtonOver, test::kButtonNormal},
        {300, 410, test::kRecordNormal, test::kButtonNormal, test::kButtonOver},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.hoverX << "," << s.hoverY);
        panel.onMouseMove(s.hoverX, s.hoverY, false);
        const QImage canvas = paint(panel);
        ASSERT_EQ(canvas.size(), QSize(410, 440));
        EXPECT_EQ(canvas.pixel(379, 124), s.record);  // bottom-right corners, clear of the labels
        EXPECT_EQ(canvas.pixel(77, 392), s.newButton);
        EXPECT_EQ(canvas.pixel(337, 424), s.ok);
        EXPECT_EQ(canvas.pixel(137, 392), test::kButtonNormal);  // Delete is never hovered here
        EXPECT_EQ(canvas.pixel(5, 430), test::kPanelBackground);
    }
}

TEST_F(PanelPaint, TheCheckboxesShowTheOptions) {
    store->records[0].options = 1;
    store->records[0].loopCount = 4;
    MacroPanelController panel(kLanguageEnglish, hook, clock, host);
    panel.open(*store);
    QImage canvas = paint(panel);
    EXPECT_EQ(canvas.pixel(382, 182), test::kBoxTicked);
    EXPECT_EQ(canvas.pixel(310, 329), test::kBoxTicked);
    panel.onLButtonUp(370, 170);
    panel.onLButtonUp(300, 320);
    canvas = paint(panel);
    EXPECT_EQ(canvas.pixel(382, 182), test::kBoxEmpty);
    EXPECT_EQ(canvas.pixel(310, 329), test::kBoxEmpty);
}

TEST_F(PanelPaint, LabelsFollowTheLanguageAndTheRecordingFlag) {
    MacroPanelController english(kLanguageEnglish, hook, clock, host);
    english.open(*store);
    MacroPanelController chinese(kLanguageChinese, hook, clock, host);
    chinese.open(*store);
    const QImage en = paint(english);
    const QImage zh = paint(chinese, "chinese");
    EXPECT_TRUE(whiteIn(en, QRect(16, 9, 100, 18)));   // title
    EXPECT_TRUE(whiteIn(zh, QRect(16, 9, 60, 18)));
    EXPECT_TRUE(whiteIn(en, QRect(290, 153, 60, 12)));   // "Record Delay" on the first of three lines
    EXPECT_FALSE(whiteIn(zh, QRect(290, 153, 60, 12)));  // the Chinese label has two lines, from 168
    EXPECT_TRUE(whiteIn(zh, QRect(290, 184, 50, 12)));
    // "Start Recording" begins at 291; "Stop Recording" and the Chinese labels at 310.
    EXPECT_TRUE(whiteIn(en, QRect(291, 103, 10, 14)));
    EXPECT_FALSE(whiteIn(zh, QRect(291, 103, 17, 14)));
    english.onLButtonUp(300, 110);  // Record
    ASSERT_TRUE(english.session().recording);
    const QImage stop = paint(english);
    EXPECT_FALSE(whiteIn(stop, QRect(291, 103, 17, 14)));
    EXPECT_TRUE(whiteIn(stop, QRect(310, 103, 20, 14)));
}

TEST_F(PanelPaint, WithoutItsBackgroundThePanelKeepsItsSize) {
    MacroPanelController panel(kLanguageEnglish, hook, clock, host);
    panel.open(*store);
    SkinImages nowhere(QString::fromStdString((dir.path() / "missing").string()) + u'/');
    QImage canvas;
    paintMacroPanel(canvas, nowhere, panel);
    EXPECT_EQ(canvas.size(), kMacroPanelFallbackSize);
}

}  // namespace
}  // namespace orvane
