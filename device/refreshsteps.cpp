#include "device/refreshsteps.h"

#include "keymap/modifiedkeys.h"
#include "settings/settingsfiles.h"

namespace orvane {

bool runRefreshSteps(KeyboardLink& link, SettingsImage& image, const std::filesystem::path& dataFolder,
                     int lParam) {
    computeModifiedKeyFlags(image.working.mouseData, image.working.keyAssignments, image.modifiedKeyFlags);
    if (lParam == kRefreshAfterKeyboardRead) link.refreshLightingEffect(image.working.mouseData);
    return writeKeymapFromWorking(image, dataFolder);
}

}  // namespace orvane
