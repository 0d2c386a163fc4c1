// What clicks and pointer moves do in the lighting section and on keys in
// the per-key colour view.
#pragma once

#include <cstdint>
#include <optional>

#include "mainwindow/model/lightingview.h"
#include "keyboardstate/rgb.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// The effect list's rows: x 28..248, 20 pixels each from y 173.
inline constexpr int kEffectListLeft = 28;
inline constexpr int kEffectListRight = 248;
inline constexpr int kEffectListTop = 173;
inline constexpr int kEffectListBottom = 492;

void openEffectList(LightingViewState& view);
void hoverEffectList(LightingViewState& view, int x, int y);
// A release with the list open: picks the row under the pointer (if any) and
// closes the list. True when a row was picked.
bool releaseOnEffectList(MouseData& data, LightingViewState& view, int x, int y);

// Direction regions: top 3, bottom 4, right 2, left 1.
void chooseDirection(MouseData& data, int regionCode);

// Whether a click on swatch n (1..8) redefines its colour: the selected
// swatch clicked again asks for a new colour.
bool swatchClickAsksColour(const MouseData& data, const LightingViewState& view, int swatch);

// Swatch n (1..8): selects it; `colour`, when there is one, redefines it first.
void clickSwatch(MouseData& data, const LightingViewState& view, int swatch, std::optional<Rgb> colour);

// Whether a key click in the per-key colour view can set a colour: only while
// an effect with a colour table is current.
bool keyColourClickable(const MouseData& data, std::uint8_t position);

// Sets the key's entry in the current effect's colour table.
void setKeyColour(MouseData& data, std::uint8_t position, Rgb colour);

}  // namespace orvane
