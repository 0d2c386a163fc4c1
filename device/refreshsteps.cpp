#include "device/refreshsteps.h"

#include "device/modifiedkeys.h"
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
    image.modifiedKeyFlags.fill(0);
    data.KeyEnableMask.fill(0xFF);
    image.working.keyAssignments = KeyAssignmentTable{};
    stampKeyCodes(image.working.keyAssignments);
    // The saved copies follow only when the file holding them was written.
    outcome.keymapWritten = writeKeymapFromWorking(image, dataFolder);
    if (outcome.keymapWritten) copyWorkingToSaved(image);
    return outcome;
}

}  // namespace orvane
