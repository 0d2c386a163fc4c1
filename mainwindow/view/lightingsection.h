// The lighting section of the side panel and its drop-down effect list,
// drawn into the main window's canvas.
#pragma once

#include "controls/model/slidergeometry.h"
#include "mainwindow/model/lightingview.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

struct PaintContext;

// What the lighting section shows: the settings, its own view state and the
// faces of its two sliders.
struct LightingScene {
    const MouseData& data;
    const LightingViewState& view;
    const SliderFace& speed;
    const SliderFace& brightness;
};

void DrawLightingSection(const PaintContext& ctx, const LightingScene& scene);
void DrawEffectList(const PaintContext& ctx, const LightingViewState& view);
// The "Keymap" / "DIY" choice shown for the per-key colour effects.
void DrawDiyChoice(const PaintContext& ctx, const LightingViewState& view);

}  // namespace orvane
