// PaintAll: the whole main window composed off screen from the skin, in one
// fixed order, into a canvas the window then copies to the screen in one step.
#pragma once

#include <QImage>
#include <QString>

namespace orvane {

class SkinImages;
struct SettingsImage;
struct MainWindowState;

// The canvas size when "main.png" cannot be read.
inline constexpr int kFallbackWindowWidth = 1000;
inline constexpr int kFallbackWindowHeight = 645;

// Composes the window into `canvas` (replaced by a copy of "main.png", so its
// size is the window size). Besides drawing it:
// - clears ModifiedKeyFlags[96] (the Windows key is never shown as changed);
// - corrects LEDEffectColor (0 -> 1, above 8 -> 8, Wave / Spectrum -> 8);
// - copies the drawn sliders' positions into LEDEffectSpeed,
//   LEDEffectBrightness and ReportRate;
// - marks each slider visible or hidden and moves the report-rate slider
//   with its section.
// The window applies the sliders' visibility and geometry afterwards.
void PaintAll(QImage& canvas, SettingsImage& image, MainWindowState& state, SkinImages& skin,
              const QString& helpWebAddress);

}  // namespace orvane
