// The rules that keep the settings image and the main window's state in the
// shape the window shows them, run by the controller after every change and
// before every repaint, so that painting only reads:
// - the Windows key (position 96) is never shown as changed;
// - the selected swatch is 1..8, and 8 for Wave and Spectrum;
// - each slider is shown or hidden with its section, the report-rate slider
//   moves with its section, and a shown slider's position (held in its range)
//   is the settings field it stands for, with its thumb placed there.
#pragma once

#include "mainwindow/model/mainwindowstate.h"

namespace orvane {

struct SettingsImage;

// The control positions of the report-rate slider below its section's top.
inline constexpr int kReportSliderX = 28;
inline constexpr int kReportSliderBelowTop = 23;

void settleMainWindow(SettingsImage& image, MainWindowState& state);

// One slider: its position held in range, copied into its settings field
// (LEDEffectSpeed, LEDEffectBrightness or ReportRate), thumb placed.
void settleSlider(SettingsImage& image, MainWindowState& state, SliderKind kind);

// Sets the three sliders' positions from the settings image (LEDEffectSpeed,
// LEDEffectBrightness, ReportRate), held within each slider's range, as done
// after a read-all, a factory reset and Cancel.
void setSlidersFromSettings(MainWindowState& state, const SettingsImage& image);

// The slider a control id names in SliderMoved (1007 speed, 1017 brightness,
// any other id the report rate).
SliderKind sliderKindOfId(int id);

}  // namespace orvane
