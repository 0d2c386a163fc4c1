// The texts of the profile manager: its labels, context menu and messages,
// in the language LanguageCode chooses (4 Chinese, anything else English).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

struct ProfileTexts {
    std::u16string title, newLabel, deleteLabel, caption;
    std::u16string tooMany, saveWithout, loadWithout, copyWithout, deleteWithout, keepOne;
    std::u16string confirmDelete, copyPrefix;
    std::u16string menuNew, menuCopy, menuSave, menuLoad, menuDelete;

    // Refused names.
    std::u16string nameEmpty, nameSlashOrDots, nameControl, nameTooLong, nameTaken;
    // A loaded profile without keyboard settings kept the working ones.
    std::u16string noKeyboardSettings;
    // Save or Load aimed at keymap.bin, MacroDefine.bin or VER.bin.
    std::u16string ownSettingsFile;
    std::int16_t languageCode = 0;

    // Messages that name the file concerned.
    std::u16string folderNotCreated(const std::filesystem::path& folder) const;
    std::u16string unreadable(const std::filesystem::path& file) const;
    std::u16string truncated(const std::filesystem::path& file, std::uintmax_t size) const;
    // Neither a profile's nor keymap.bin's size (a firmware image, a video).
    std::u16string notAProfile(const std::filesystem::path& file, std::uintmax_t size) const;
    // Of the profile's size, but with values the keyboard does not accept.
    std::u16string outOfRange(const std::filesystem::path& file, std::string_view finding) const;
    std::u16string notWritten(const std::filesystem::path& file) const;
    std::u16string notDeleted(const std::filesystem::path& file) const;
};

ProfileTexts profileTexts(std::int16_t languageCode);

// A path as the user is shown it; a folder whose name is not valid UTF-8
// still leaves the file name.
std::u16string shownProfilePath(const std::filesystem::path& file);

}  // namespace orvane
