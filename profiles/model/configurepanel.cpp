#include "profiles/model/configurepanel.h"

namespace orvane {

ConfigurePanel::ConfigurePanel(SettingsImage& image, Dialogs& dialogs, const DataFolders& folders,
                               std::int16_t languageCode)
    : image_(image), dialogs_(dialogs), manager_(folders, languageCode) {}

void ConfigurePanel::open() { tell(manager_.open()); }

void ConfigurePanel::tell(const ProfileOutcome& outcome) {
    if (!outcome.message.empty()) dialogs_.showMessage(outcome.message, outcome.caption);
}

void ConfigurePanel::onCommand(int command) {
    switch (command) {
        case kCommandProfileNew: onNew(); break;
        case kCommandProfileCopy: onCopy(); break;
        case kCommandProfileSave: onSave(); break;
        case kCommandProfileLoad: onLoad(); break;
        case kCommandProfileDelete: onDelete(); break;
        default: break;
    }
}

void ConfigurePanel::onNew() { tell(manager_.newProfile(image_.working.mouseData)); }

void ConfigurePanel::onCopy() { tell(manager_.copyProfile()); }

FileRequest ConfigurePanel::fileRequest() const {
    const ProfileFileDialog d = manager_.fileDialog();
    FileRequest request;
    request.filters = d.filter;
    request.selectedFilter = d.filter;
    request.folder = d.initialFolder;
    request.initialName = d.initialName;
    request.defaultSuffix = d.defaultExtension;
    // Loading takes an existing file; an export may create one.
    request.mustExist = true;
    // Neither may be one of the utility's own files: an export over
    // MacroDefine.bin would replace the macros with a settings image.
    request.refuse = [this](const std::filesystem::path& file) {
        return manager_.isOwnFile(file) ? manager_.texts().ownSettingsFile : std::u16string();
    };
    request.refusalCaption = manager_.texts().caption;
    return request;
}

void ConfigurePanel::onSave() {
    if (auto blocked = manager_.saveOrLoadBlocked(false)) {
        tell(*blocked);
        return;
    }
    FileRequest request = fileRequest();
    request.mustExist = false;
    const auto chosen = dialogs_.saveFile(request);
    // A cancelled chooser still saves into the selected profile.
    tell(manager_.saveProfile(image_, chosen));
}

void ConfigurePanel::onLoad() {
    if (auto blocked = manager_.saveOrLoadBlocked(true)) {
        tell(*blocked);
        return;
    }
    FileRequest request = fileRequest();
    const auto chosen = dialogs_.openFile(request);
    if (!chosen) return;
    tell(manager_.loadProfile(image_, chosen));
}

void ConfigurePanel::onDelete() {
    const ProfileOutcome ask = manager_.requestDelete();
    if (ask.status != ProfileStatus::NeedConfirmation) {
        tell(ask);
        return;
    }
    if (!dialogs_.confirm(ask.message, ask.caption)) {
        manager_.scan();
        return;
    }
    tell(manager_.deleteConfirmed());
}

void ConfigurePanel::onRename(std::size_t item, const std::string& newName) {
    tell(manager_.rename(item, newName));
}

}  // namespace orvane
