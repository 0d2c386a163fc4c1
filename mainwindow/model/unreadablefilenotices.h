// The notice the main window gives when a settings file exists but cannot be
// read: which file it is, and that changes are not kept in it during this run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "mainwindow/model/mainwindowhost.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

class UnreadableFileNotices {
public:
    // One message for each file marked unreadable that has not been told of
    // yet in this run.
    void tell(const SettingsImage& image, const std::filesystem::path& dataFolder,
              MainWindowHost& host);

private:
    bool keymapTold_ = false;
    bool macrosTold_ = false;
};

std::u16string unreadableFileText(const std::filesystem::path& file, std::int16_t languageCode);
// A key assignment is in use but keymap.bin could not be written.
std::u16string keymapNotWrittenText(const std::filesystem::path& file, std::int16_t languageCode);
std::u16string_view unreadableFileCaption(std::int16_t languageCode);

}  // namespace orvane
