// What the lighting section shows besides the settings: whether it and its
// effect list are open, the hovered row and the per-key colour view. The main
// window's state contains it.
#pragma once

#include <cstdint>

namespace orvane {

inline constexpr std::uint8_t kNoItem = 255;

struct LightingViewState {
    bool EffectListOpen = false;
    bool DiyColorMode = false;
    bool LightingCollapsed = true;
    std::uint8_t SelectedEffectItem = kNoItem;
};

}  // namespace orvane
