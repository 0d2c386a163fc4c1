// The macro manager's picture, composed off screen from its skin images in
// one fixed order; the panel copies it to the screen in one step. Painting
// reads the panel's state and never changes it.
#pragma once

#include <QImage>
#include <QSize>

namespace orvane {

class MacroPanelController;
class SkinImages;

// The panel's size when "MacroManagement.png" cannot be read.
inline constexpr QSize kMacroPanelFallbackSize{410, 440};

// Composes the panel into `canvas`, replaced by a copy of the background
// "MacroManagement.png" of `skin` (the panel's image folder).
void paintMacroPanel(QImage& canvas, SkinImages& skin, const MacroPanelController& panel);

}  // namespace orvane
