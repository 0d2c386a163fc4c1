// The window-free steps of the refresh after a read; the window adds the
// sliders, repaint and checks.
#pragma once

#include <filesystem>

#include "device/keyboardlink.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// Macro changes not yet sent kept after a keyboard read, ModifiedKeyFlags recomputed, GetLightingEffect again after a keyboard read
// (kRefreshAfterKeyboardRead), keymap.bin written from the working copies. Returns whether
// keymap.bin was written.
bool runRefreshSteps(KeyboardLink& link, SettingsImage& image, const std::filesystem::path& dataFolder,
                     int kind);

}  // namespace orvane
