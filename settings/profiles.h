// The profile manager's work on files: up to six named copies of the settings
// image in the folder "Configure" of the data folder. The panel draws the
// list, shows the dialogs and messages chosen here, and calls these commands.
//
// Names are file names without their ".bin" suffix (bytes, as the file system
// has them). A listed profile is reached through the path its folder scan
// found; a new file's path is folder + "/" + name + ".bin" from a name that
// holds no "/" and is not "." or "..", so nothing is read or written outside
// the profile folder; files are replaced atomically.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settingsimage.h"

namespace orvane {

inline constexpr std::size_t kMaxProfiles = 6;
inline constexpr const char* kProfileFolderName = "Configure";

// Texts of the panel, its messages and its context menu, by LanguageCode.
struct ProfileTexts {
    std::string title, newLabel, deleteLabel, caption;
    std::string tooMany, saveWithout, loadWithout, copyWithout, deleteWithout, keepOne;
    std::string confirmDelete, copyPrefix;
    std::string menuNew, menuCopy, menuSave, menuLoad, menuDelete;
};
ProfileTexts profileTexts(std::int16_t languageCode);

// Settings of the open and save file dialogs of Save and Load.
struct ProfileFileDialog {
    std::filesystem::path initialFolder;  // the data folder
    std::string defaultExtension = ".bin";
    std::string initialName = "*.bin";
    std::string filter = "bin Files(*.bin)";
    std::string pattern = "*.bin";
};

enum class ProfileStatus {
    Done,
    Ignored,           // nothing to do (Copy with six profiles)
    ShowMessage,       // show message/caption with an OK button; nothing changed
    NeedConfirmation,  // ask message/caption with OK and Cancel, then deleteConfirmed()
    Refused,           // a bad or taken name: nothing changed, the list is rescanned
    Failed,            // a file could not be read or written; see message when set
};

struct ProfileOutcome {
    ProfileStatus status = ProfileStatus::Done;
    std::string message;
    std::string caption;
};

// A name may be used for a profile file: not empty, no "/", not "." or "..".
bool isValidProfileName(std::string_view name);
// The listed name of a file: its ".bin" suffix removed, once.
std::string profileDisplayName(std::string_view fileName);

class ProfileManager {
public:
    ProfileManager(std::filesystem::path dataFolder, std::int16_t languageCode);

    const std::filesystem::path& folder() const { return folder_; }
    ProfileFileDialog fileDialog() const;
    const ProfileTexts& texts() const { return texts_; }

    // The folder scan: at most six profiles, names sorted, no selection.
    void scan();
    const std::vector<std::string>& names() const { return names_; }
    const std::vector<std::filesystem::path>& paths() const { return paths_; }
    int selection() const { return selection_; }
    void select(int item);

    ProfileOutcome newProfile();
    ProfileOutcome copyProfile();
    // The message Save or Load shows instead of its file dialog, if any.
    std::optional<ProfileOutcome> saveOrLoadBlocked(bool load) const;
    // Writes the working copy into the selected profile and, when the dialog
    // was confirmed, into the chosen file as well.
    ProfileOutcome saveProfile(const SettingsImage& image,
                               const std::optional<std::filesystem::path>& chosenFile);
    // Reads the chosen file into the working copy (a short file fills only
    // what it holds), then writes it into the selected profile. A cancelled
    // dialog (no file) changes nothing.
    ProfileOutcome loadProfile(SettingsImage& image,
                               const std::optional<std::filesystem::path>& chosenFile);
    ProfileOutcome requestDelete() const;
    ProfileOutcome deleteConfirmed();
    // End of an in-place rename of list item `item` to `newName`.
    ProfileOutcome rename(std::size_t item, const std::string& newName);

private:
    std::filesystem::path pathOf(std::string_view name) const;
    bool nameTaken(std::string_view name) const;
    const std::filesystem::path* selectedPath() const;
    ProfileOutcome message(const std::string& text, ProfileStatus status = ProfileStatus::ShowMessage) const;

    std::filesystem::path dataFolder_;
    std::filesystem::path folder_;
    ProfileTexts texts_;
    std::vector<std::string> names_;
    std::vector<std::filesystem::path> paths_;
    int selection_ = -1;
};

}  // namespace orvane
