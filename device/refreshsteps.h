// The window-free steps of the 1915 refresh handler and of the factory reset
// behind the Default button; the window adds the sliders, repaint and checks.
#pragma once

#include <filesystem>

#include "device/keyboardlink.h"
#include "settings/settingsimage.h"

namespace orvane {

struct RefreshOutcome {
    SliderValues sliders;       // set the three sliders from these
    bool keymapWritten = false;
};

// ModifiedKeyFlags recomputed, GetLightingEffect again after a keyboard read
// (lParam 0), keymap.bin written from the working copies.
RefreshOutcome runRefreshSteps(KeyboardLink& link, SettingsImage& image, const std::filesystem::path& dataFolder,
                               int lParam);

// After the user confirmed: the keyboard reset and read back, flags cleared,
// every key enabled, key assignments back to their defaults; when keymap.bin
// could be written the saved copies follow the working ones.
RefreshOutcome restoreFactorySettings(KeyboardLink& link, SettingsImage& image,
                                      const std::filesystem::path& dataFolder);

}  // namespace orvane
