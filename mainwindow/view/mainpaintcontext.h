// What the painting of the main window's parts shares during one repaint.
#pragma once

#include "drawing/paintcontext.h"
#include "mainwindow/model/mainwindowstate.h"
#include "mainwindow/model/sectionlayout.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

struct MainPaintContext : PaintContext {
    const SettingsImage& image;
    const MainWindowState& state;
    SectionLayout layout;

    const MouseData& data() const { return image.working.mouseData; }
};

}  // namespace orvane
