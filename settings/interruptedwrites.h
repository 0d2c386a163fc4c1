// Leftovers of writes that were cut short (a crash, a kill, a power loss
// between the temporary file and its rename) are removed at the next start,
// so they never pile up beside the settings files or the profiles.
#pragma once

#include <cstddef>
#include <filesystem>

namespace orvane {

// Removes the temporary files of keymap.bin and MacroDefine.bin in the data
// folder and of the profile files in its "Configure" folder. Nothing else is
// touched: other programs' files, and the virtual keyboard's state, which
// orvanectl may be writing at this moment. Returns how many were removed.
std::size_t removeInterruptedSettingsWrites(const std::filesystem::path& dataFolder);

}  // namespace orvane
