// The main window's three slider faces, drawn into its canvas.
#pragma once

#include "mainwindow/model/mainwindowstate.h"

namespace orvane {

class SkinCanvas;

// DrawSliderFace of the slider with this control id (1007 speed, 1017
// brightness, any other id the report rate). The report-rate thumb at
// position 0 is drawn two pixels further right, clear of the channel's end.
void DrawSliderFace(SkinCanvas& canvas, const MainWindowState& state, int id);

}  // namespace orvane
