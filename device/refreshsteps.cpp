#include "device/refreshsteps.h"

#include "keymap/modifiedkeys.h"
#include "settings/settingsfiles.h"

namespace orvane {

RefreshOutcome runRefreshSteps(KeyboardLink& link, SettingsImage& image, const std::filesystem::path& dataFolder,
                               int lParam) {
    computeModifiedKeyFlags(image.working.mouseData, image.working.keyAssignments, image.modifiedKeyFlags);
    if (lParam == kRefreshAfterKeyboardRead) link.refreshLightingEffect(image.working.mouseData);
    RefreshOutcome outcome;
    outcome.sliders = slidersOf(image.working.mouseData);
    outcome.keymapWritten = writeKeymapFromWorking(image, dataFolder);
    return outcome;
}

RefreshOutcome restoreFactorySettings(KeyboardLink& link, SettingsImage& image,
                                      const std::filesystem::path& dataFolder) {
    MouseData& data = image.working.mouseData;
    link.factoryResetAndRead(data);
    RefreshOutcome outcome;
    outcome.sliders = slidersOf(data);
    outcome.keymapWritten = settleAfterFactoryReset(image, dataFolder);
    return outcome;
}

}  // namespace orvane
