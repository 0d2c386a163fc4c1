#include "settings/interruptedwrites.h"

#include <string_view>

#include "settings/atomicfile.h"
#include "settings/profiles.h"
#include "settings/settingsfiles.h"

namespace orvane {

std::size_t removeInterruptedSettingsWrites(const std::filesystem::path& dataFolder) {
    const std::size_t settings = removeInterruptedWrites(dataFolder, [](std::string_view target) {
        return target == kKeymapFileName || target == kMacroFileName;
    });
    const std::size_t profiles = removeInterruptedWrites(dataFolder / kProfileFolderName, [](std::string_view target) {
        return target.size() > 4 && target.substr(target.size() - 4) == ".bin";
    });
    return settings + profiles;
}

}  // namespace orvane
