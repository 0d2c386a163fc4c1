#include "device/refreshsteps.h"

#include "keyboardstate/modifiedkeys.h"
#include "settings/macroslots.h"
#include "settings/settingsfiles.h"

namespace orvane {

bool runRefreshSteps(KeyboardLink& link, SettingsImage& image, const std::filesystem::path& dataFolder,
                     int kind) {
    // A read of the keyboard brings back its old macro numbering; what the
    // macro manager committed since the last Save still has to reach it.
    if (kind == kRefreshAfterKeyboardRead) keepUnsentMacroChanges(image);
    computeModifiedKeyFlags(image.working.mouseData, image.working.keyAssignments, image.modifiedKeyFlags);
    if (kind == kRefreshAfterKeyboardRead) link.refreshLightingEffect(image.working.mouseData);
    return writeKeymapFromWorking(image, dataFolder);
}

}  // namespace orvane
