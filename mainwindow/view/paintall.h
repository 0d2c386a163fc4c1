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
// size is the window size). It only reads: settleMainWindow has brought the
// settings and the sliders into shape before (mainwindow/model/displayrules.h), and
// the window applies the sliders' visibility and geometry afterwards.
void PaintAll(QImage& canvas, const SettingsImage& image, const MainWindowState& state, SkinImages& skin,
              const QString& helpWebAddress);

}  // namespace orvane
