#include "mainwindow/model/firmwarecheck.h"

#include "keyboardstate/settingsimage.h"

namespace orvane {

bool packageIsNewer(const std::array<std::uint8_t, 4>& fileVersion,
                    const std::array<std::uint8_t, 4>& deviceVersion) {
    if (fileVersion[0] != deviceVersion[0]) return fileVersion[0] > deviceVersion[0];
    return fileVersion[1] > deviceVersion[1];
}

UpdateQuestion updateQuestion(std::int16_t languageCode) {
    if (languageCode == kLanguageChinese) return {u"更新到新的固件吗？", u"固件更新"};
    return {u"Update new firmware？", u"Firmware Update"};
}

std::filesystem::path updaterPath(const std::filesystem::path& dataFolder) {
    return dataFolder / "Update";
}

bool startUpdater(const std::filesystem::path& dataFolder, HostShell& shell) {
    return shell.startDetached(updaterPath(dataFolder).string(), std::string());
}

}  // namespace orvane
