// The side panel's column of sections, recomputed from the collapse flags
// before every repaint and every hit test.
#pragma once

#include "mainwindow/model/mainwindowstate.h"

namespace orvane {

// A rectangle whose right and bottom edges are inside it.
struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;
    constexpr bool contains(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

struct SectionLayout {
    int yL = 110;  // lighting
    int yM = 0;    // macro management
    int yG = 0;    // game mode
    int yT = 0;    // response time
    int yP = 0;    // report rate
    Box lightingHeader, gameModeHeader, responseTimeHeader, reportRateHeader, macroButton;
    int responseListX = 27, responseListY = 0;  // origin of the response-time list
};

SectionLayout computeSectionLayout(const MainWindowState& state);

}  // namespace orvane
