// The main window's own state: pop-ups, collapse flags, hover and selection,
// and where the three sliders sit. Painting reads it; dispatch changes it.
#pragma once

#include <array>
#include <cstdint>

#include "controls/model/slidergeometry.h"
#include "mainwindow/model/lightingview.h"

namespace orvane {

inline constexpr std::uint8_t kNoKey = 255;

// Control ids of the three sliders; they name the slider in SliderMoved.
inline constexpr int kSpeedSliderId = 1007;
inline constexpr int kReportRateSliderId = 1010;
inline constexpr int kBrightnessSliderId = 1017;

enum class SliderKind { Speed = 0, Brightness = 1, ReportRate = 2 };

struct MainWindowState : LightingViewState {
    bool Popup_ResponseTime = false;
    bool HelpWindowOpen = false;
    bool ButtonHeld = false;
    bool GameModeCollapsed = true;
    bool ResponseTimeCollapsed = true;
    bool ReportRateCollapsed = true;

    std::uint8_t SelectedKeyPosition = kNoKey;
    std::uint8_t LastHoverKey = kNoKey;
    std::uint8_t SelectedResponseTimeItem = kNoItem;
    std::uint8_t CurrentKeyCode = 0xFF;

    // Indexed by SliderKind.
    std::array<SliderFace, 3> sliders{{
        {kSpeedSliderId, 28, 303, 220, 17, 0, 0, 9, 0, 0, false},
        {kBrightnessSliderId, 28, 260, 220, 17, 1, 0, 50, 0, 0, false},
        {kReportRateSliderId, 28, 530, 220, 17, 1, 0, 3, 0, 0, false},
    }};
    // Section top at which the report-rate slider was last placed; -1 before the first time.
    int reportSliderPlacedAt = -1;
    // Last drawn position of each slider (SliderMoved compares with it).
    std::array<int, 3> LastSliderPos{0, 0, 0};

    SliderFace& slider(SliderKind kind) { return sliders[static_cast<int>(kind)]; }
    const SliderFace& slider(SliderKind kind) const { return sliders[static_cast<int>(kind)]; }
};

}  // namespace orvane
