// The one place that chooses the keyboard: the virtual one when the
// environment says ORVANE_KEYBOARD=virtual (or virtual-noaccess: listed but
// refusing every open), the real one through hidapi otherwise.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/hid/hidbackend.h"

namespace orvane {

bool virtualKeyboardRequested();
// The virtual keyboard keeps its state in VirtualKeyboard.bin of dataFolder.
std::unique_ptr<HidBackend> makeHidBackend(const std::filesystem::path& dataFolder);

}  // namespace orvane
