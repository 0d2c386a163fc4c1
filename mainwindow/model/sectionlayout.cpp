#include "mainwindow/model/sectionlayout.h"

namespace orvane {

SectionLayout computeSectionLayout(const MainWindowState& state) {
    SectionLayout l;
    const int hL = state.LightingCollapsed ? 30 : 225;
    const int hT = state.ResponseTimeCollapsed ? 40 : 75;
    l.yL = 110;
    l.yM = 110 + hL;
    l.yG = l.yM + 55;
    l.yT = l.yG + 55;
    l.yP = l.yT + hT;
    l.lightingHeader = {19, 110, 261, 130};
    l.gameModeHeader = {19, l.yG, 261, l.yG + 20};
    l.responseTimeHeader = {19, l.yT, 261, l.yT + 20};
    l.reportRateHeader = {19, l.yP, 261, l.yP + 20};
    l.macroButton = {19, l.yM + 10, 259, l.yM + 28};
    l.responseListX = 27;
    l.responseListY = l.yT - 173;
    return l;
}

}  // namespace orvane
