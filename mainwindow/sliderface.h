// The face of a bitmap slider, drawn by the main window into its own canvas:
// the full channel left of the thumb, the empty channel right of it, and the
// thumb picture. Drawing a face also copies the slider's position into the
// settings field it stands for.
#pragma once

#include "mainwindow/mainwindowstate.h"

namespace orvane {

class SkinCanvas;
struct SettingsImage;

// DrawSliderFace of the slider with this control id (1007 speed, 1017
// brightness, any other id the report rate). The thumb is placed from the
// slider's current position and stored in the face's thumbX / thumbY.
void DrawSliderFace(SkinCanvas& canvas, SettingsImage& image, MainWindowState& state, int id);

// The slider of a control id as SliderMoved names it.
SliderKind sliderKindOfId(int id);

// Sets the three sliders' positions from the settings image (LEDEffectSpeed,
// LEDEffectBrightness, ReportRate), held within each slider's range, as done
// after a read-all, a factory reset and Cancel.
void setSlidersFromSettings(MainWindowState& state, const SettingsImage& image);

// SliderMoved (1913): redraws the face only when the slider's position
// differs from the last one drawn. Returns whether it drew.
bool SliderMoved(SkinCanvas& canvas, SettingsImage& image, MainWindowState& state, int id);

}  // namespace orvane
