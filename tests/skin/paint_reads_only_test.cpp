#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>

#include "painttestsupport.h"

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
