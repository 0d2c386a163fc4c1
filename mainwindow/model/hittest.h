// Hit tests of the main window: which clickable region or which key lies
// under a point.
#pragma once

#include <array>
#include <cstdint>

#include "mainwindow/model/mainwindowstate.h"
#include "mainwindow/model/sectionlayout.h"

namespace orvane {

// Region codes the dispatcher acts on.
enum RegionCode : int {
    kRegionNone = -1,
    kRegionHelp = 0,
    kRegionMinimise = 1,
    kRegionClose = 2,
    kRegionEffectField = 3,
    kRegionDirectionTop = 4,
    kRegionDirectionBottom = 5,
    kRegionDirectionRight = 6,
    kRegionDirectionLeft = 7,
    kRegionMacroButton = 9,
    kRegionGameModeOn = 10,
    kRegionGameModeOff = 11,
    kRegionResponseField = 12,
    kRegionProfile = 14,
    kRegionDefault = 15,
    kRegionCancel = 16,
    kRegionSave = 17,
    kRegionLightingHeader = 18,
    kRegionGameModeHeader = 19,
    kRegionResponseHeader = 20,
    kRegionReportRateHeader = 21,
    kRegionSwatchFirst = 22,  // swatch n = code - 21, codes 22..29
    kRegionSwatchLast = 29,
    kRegionLogo = 30,
    kRegionWinLockOn = 31,
    kRegionWinLockOff = 32,
    kRegionKeymapChoice = 33,
    kRegionDiyChoice = 34,
};

// The 22 rows; rows 9..12 and 18..21 follow the section layout.
using ClickRegionRows = std::array<Box, 22>;
ClickRegionRows ClickRegionTable(const SectionLayout& layout);

// The first region, in test order, whose rectangle holds the point and whose
// condition holds; kRegionNone when none does.
int HitTestRegion(int x, int y, const MainWindowState& state, std::uint8_t ledEffectMode);

// The key position under the point, or kNoKey. Outside the per-key colour view
// the Windows key (96) and Fn (100) yield kNoKey.
std::uint8_t KeyAtPoint(int x, int y, bool diyColorMode);

}  // namespace orvane
