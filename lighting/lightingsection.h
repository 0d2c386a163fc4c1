// The lighting section of the side panel and its drop-down effect list,
// drawn into the main window's canvas. Drawing also keeps the settings
// consistent with what is shown: a swatch number out of range is corrected,
// and Wave and Spectrum always use swatch 8.
#pragma once

namespace orvane {

struct PaintContext;

void DrawLightingSection(PaintContext& ctx);
void DrawEffectList(PaintContext& ctx);
// The "Keymap" / "DIY" choice shown for the per-key colour effects.
void DrawDiyChoice(PaintContext& ctx);

// The effects whose swatches are grey, with only swatch 8 selectable.
constexpr bool isGreySwatchEffect(int effect) { return effect == 3 || effect == 8; }
// Effects that show the direction pictures.
constexpr bool hasDirectionPictures(int effect) { return effect == 3 || effect == 13; }

}  // namespace orvane
