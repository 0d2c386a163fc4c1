// What the main window does when the macro manager ends with OK.
#pragma once

#include <filesystem>
#include <optional>

#include "macros/model/macromessages.h"
#include "macros/model/macropanelcontroller.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// Keys follow their macros to their new slots (those of deleted macros
// return to their default), then the working store goes back over
// MacroStore, MacroSlots are refilled and keymap.bin and MacroDefine.bin are
// written. Returns the message to show when a file could not be written.
std::optional<PanelMessage> confirmMacroPanel(SettingsImage& image, MacroPanelController& panel,
                                              const std::filesystem::path& dataFolder);

// The message of a failed write of the macro files: which was kept and which not.
PanelMessage macroSaveFailedMessage(std::int16_t languageCode, MacroFilesWritten written);

}  // namespace orvane
