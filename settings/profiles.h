// The profile manager's work on files: up to six named copies of the settings
// image in the folder "Configure" of the state folder. The panel draws the
// list, shows the dialogs and messages chosen here, and calls these commands.
//
// A listed profile is reached through the path its folder scan found; a new
// file's path is folder + "/" + name + ".bin" from a name that holds no "/"
// and is not "." or "..", so nothing is written outside the profile folder
// except the file the person chooses in Save's dialog; files are replaced
// atomically. A profile file is read whole before anything takes its
// contents: an unreadable or incomplete one changes nothing and is reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "settings/datafolders.h"
#include "settings/profilenames.h"
#include "settings/profiletexts.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

inline constexpr std::size_t kMaxProfiles = 6;
inline constexpr const char* kProfileFolderName = "Configure";

// Settings of the open and save file dialogs of Save and Load.
struct ProfileFileDialog {
    std::filesystem::path initialFolder;  // the state folder, where keymap.bin lives
    std::u16string defaultExtension = u"bin";
    std::u16string initialName = u"*.bin";
    std::u16string filter = u"bin Files(*.bin)";
};

enum class ProfileStatus {
    Done,
    Ignored,           // nothing to do (a cancelled Load, a rename to the same file)
    ShowMessage,       // show message/caption with an OK button; nothing changed
    NeedConfirmation,  // ask message/caption with OK and Cancel, then deleteConfirmed()
    Refused,           // a bad or taken name: nothing changed, the list is rescanned
    Failed,            // a file could not be read, written or chosen; see message
    Notice,            // done, and the person is told something about it
};

struct ProfileOutcome {
    ProfileStatus status = ProfileStatus::Done;
    std::u16string message;  // shown when not empty (as the question of NeedConfirmation)
    std::u16string caption;
};

class ProfileManager {
public:
    ProfileManager(DataFolders folders, std::int16_t languageCode);

    const std::filesystem::path& folder() const { return folder_; }
    ProfileFileDialog fileDialog() const;
    const ProfileTexts& texts() const { return texts_; }

    // Opening the panel: the profile folder is created when it is missing,
    // then scanned. Failed with a message when it cannot be made.
    ProfileOutcome open();
    // The folder scan: at most six profiles, names sorted, no selection.
    void scan();
    const std::vector<std::string>& names() const { return names_; }
    const std::vector<std::filesystem::path>& paths() const { return paths_; }
    int selection() const { return selection_; }
    void select(int item);

    // A new profile holding the working keyboard state (MouseData only).
    ProfileOutcome newProfile(const MouseData& working);
    ProfileOutcome copyProfile();
    // The message Save or Load shows instead of its file dialog, if any.
    std::optional<ProfileOutcome> saveOrLoadBlocked(bool load) const;
    // Writes the working copy into the selected profile and, when the dialog
    // was confirmed, into the chosen file as well (never into one of the
    // utility's own files).
    ProfileOutcome saveProfile(const SettingsImage& image,
                               const std::optional<std::filesystem::path>& chosenFile);
    // Reads the chosen file into the working copy, then writes the working
    // copy into the selected profile. A cancelled dialog (no file) changes
    // nothing; so does a file that is unreadable, incomplete or one of the
    // utility's own. A file whose keyboard state is all zeros leaves the
    // working MouseData as it is.
    ProfileOutcome loadProfile(SettingsImage& image,
                               const std::optional<std::filesystem::path>& chosenFile);
    ProfileOutcome requestDelete() const;
    ProfileOutcome deleteConfirmed();
    // End of an in-place rename of list item `item` to `newName`.
    ProfileOutcome rename(std::size_t item, const std::string& newName);

    // keymap.bin, MacroDefine.bin or VER.bin of this utility, by any path.
    bool isOwnFile(const std::filesystem::path& file) const;

private:
    std::filesystem::path pathOf(std::string_view name) const;
    bool nameTaken(std::string_view name) const;
    const std::filesystem::path* selectedPath() const;
    bool ensureFolder() const;
    ProfileOutcome message(std::u16string text, ProfileStatus status = ProfileStatus::ShowMessage) const;

    DataFolders folders_;
    std::filesystem::path folder_;
    ProfileTexts texts_;
    std::vector<std::string> names_;
    std::vector<std::filesystem::path> paths_;
    int selection_ = -1;
};

}  // namespace orvane
