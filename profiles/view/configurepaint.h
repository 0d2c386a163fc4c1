// The picture of the profile manager panel: background, title, close button,
// and the New and Delete buttons with their labels. It reads the texts and
// draws; the profile list paints itself on top.
#pragma once

#include "drawing/paintcontext.h"
#include "settings/profiletexts.h"

namespace orvane {

inline constexpr SkinColor kConfigureTitleColour = 0x353535;

// Draws onto ctx.canvas, which has the panel's size; pictures come from
// the "Config/" folder of the canvas's skin.
void PaintConfigurePanel(const PaintContext& ctx, const ProfileTexts& texts);

}  // namespace orvane
