// The profile manager panel without its window: the commands of its buttons,
// context menu and in-place rename, carried out on the profile files and the
// working copy of the settings image, with every message, question and file
// chooser asked through the injected dialogs. The window draws the list this
// holds and routes input here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop/dialogs.h"
#include "settings/datafolders.h"
#include "settings/profiles.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// Commands of the context menu.
inline constexpr int kCommandProfileNew = 32785;
inline constexpr int kCommandProfileCopy = 32817;
inline constexpr int kCommandProfileSave = 32786;
inline constexpr int kCommandProfileLoad = 32787;
inline constexpr int kCommandProfileDelete = 32788;

class ConfigurePanel {
public:
    ConfigurePanel(SettingsImage& image, Dialogs& dialogs, const DataFolders& folders,
                   std::int16_t languageCode);

    // Every opening: the profile folder made when missing, then scanned.
    void open();

    const std::vector<std::string>& names() const { return manager_.names(); }
    int selection() const { return manager_.selection(); }
    void select(int item) { manager_.select(item); }
    const ProfileTexts& texts() const { return manager_.texts(); }
    const ProfileManager& manager() const { return manager_; }

    // A command of the context menu; unknown numbers do nothing.
    void onCommand(int command);
    void onNew();
    void onCopy();
    void onSave();
    void onLoad();
    void onDelete();
    // The list item at `item` was renamed to `newName` in place.
    void onRename(std::size_t item, const std::string& newName);

    // The chooser of Save and Load, as both show it.
    FileRequest fileRequest() const;

private:
    void tell(const ProfileOutcome& outcome);

    SettingsImage& image_;
    Dialogs& dialogs_;
    ProfileManager manager_;
};

}  // namespace orvane
