// What clicks and pointer moves do in the lighting section and on keys in
// the per-key colour view.
#pragma once

#include <cstdint>

#include "mainwindow/mainwindowhost.h"
#include "mainwindow/mainwindowstate.h"
#include "settings/settingsimage.h"

namespace orvane {

// The effect list's rows: x 28..248, 20 pixels each from y 173.
inline constexpr int kEffectListLeft = 28;
inline constexpr int kEffectListRight = 248;
inline constexpr int kEffectListTop = 173;
inline constexpr int kEffectListBottom = 492;

void openEffectList(MainWindowState& state);
void hoverEffectList(MainWindowState& state, int x, int y);
// A release with the list open: picks the row under the pointer (if any) and closes the list.
void releaseOnEffectList(MouseData& data, MainWindowState& state, int x, int y);

// Direction regions: top 3, bottom 4, right 2, left 1.
void chooseDirection(MouseData& data, int regionCode);

// Swatch n (1..8): selects it, or redefines the selected one's colour.
void clickSwatch(MouseData& data, const MainWindowState& state, int swatch, MainWindowHost& host);

// A key click in the per-key colour view: the colour chooser sets the key's
// entry in the current effect's table. Does nothing unless a colour effect is current.
void clickKeyColour(MouseData& data, std::uint8_t position, MainWindowHost& host);

}  // namespace orvane
