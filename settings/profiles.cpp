#include "settings/profiles.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <system_error>
#include <utility>

#include "settings/atomicfile.h"
#include "keyboardstate/keyboardranges.h"
#include "settings/settingsfiles.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

// The list box sorts without regard to case; equal names keep byte order.
bool listOrder(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); };
    const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower);
    const bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower);
    return less || (!greater && a < b);
}

bool existsAsAnything(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

bool writeImage(const fs::path& path, const MouseData& data, const KeyAssignmentTable& table) {
    return writeFileAtomically(path, {bytesOf(data), bytesOf(table)});
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    // A file that does not exist yet is compared by where it would be.
    std::error_code ecA, ecB;
    const fs::path ca = fs::weakly_canonical(a, ecA);
    const fs::path cb = fs::weakly_canonical(b, ecB);
    return !ecA && !ecB && ca == cb;
}

// A profile file read whole into scratch records. New profiles of earlier
// versions hold the keyboard state alone; any other size short of the full
// image is a torn file.
struct ProfileContents {
    enum class Shape { Unreadable, Truncated, NotAProfile, KeyboardOnly, Full };
    std::unique_ptr<MouseData> data = std::make_unique<MouseData>();
    std::unique_ptr<KeyAssignmentTable> table = std::make_unique<KeyAssignmentTable>();
    std::size_t bytes = 0;
    Shape shape = Shape::Unreadable;

    explicit ProfileContents(const fs::path& file) {
        const auto read = readSettingsPair(file, *data, *table);
        if (!read) return;
        bytes = *read;
        // Only the read's prefix was taken: a longer file (a firmware image,
        // a video) or something that is no regular file is no profile.
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(file, ec);
        if (ec || size != bytes) {
            bytes = ec ? bytes : size;
            shape = Shape::NotAProfile;
            return;
        }
        shape = bytes == kKeymapFileSize  ? Shape::Full
                : bytes == kMouseDataSize ? Shape::KeyboardOnly
                                          : Shape::Truncated;
    }
    // The message when these contents cannot be taken, if any.
    std::optional<std::u16string> problem(const ProfileTexts& texts, const fs::path& file) const {
        switch (shape) {
            case Shape::Unreadable: return texts.unreadable(file);
            case Shape::Truncated: return texts.truncated(file, bytes);
            case Shape::NotAProfile: return texts.notAProfile(file, bytes);
            default: return std::nullopt;
        }
    }
    bool keyboardStateEmpty() const {
        const auto b = bytesOf(*data);
        return std::all_of(b.begin(), b.end(), [](std::byte x) { return x == std::byte{0}; });
    }
};

}  // namespace

ProfileManager::ProfileManager(DataFolders folders, std::int16_t languageCode)
    : folders_(std::move(folders)),
      folder_(folders_.state / kProfileFolderName),
      texts_(profileTexts(languageCode)) {}

ProfileFileDialog ProfileManager::fileDialog() const {
    ProfileFileDialog dialog;
    dialog.initialFolder = folders_.state;
    return dialog;
}

// The file of a listed or generated name: "a.bin" is the profile of "a.bin.bin".
fs::path ProfileManager::pathOf(std::string_view name) const { return folder_ / (std::string(name) + ".bin"); }

bool ProfileManager::ensureFolder() const {
    std::error_code ec;
    if (fs::is_directory(folder_, ec)) return true;
    fs::create_directory(folder_, ec);
    return fs::is_directory(folder_, ec);
}

ProfileOutcome ProfileManager::open() {
    const bool made = ensureFolder();
    scan();
    if (!made) return message(texts_.folderNotCreated(folder_), ProfileStatus::Failed);
    return {};
}

void ProfileManager::scan() {
    names_.clear();
    paths_.clear();
    selection_ = -1;
    // Each listed name keeps the path the scan found it at; every action then
    // touches exactly that file.
    std::vector<std::pair<std::string, fs::path>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        // Only plain files: a link could lead out of the profile folder.
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError)) continue;
        const std::string file = it->path().filename().string();
        if (!endsWithBin(file)) continue;
        std::string name = profileDisplayName(file);
        if (!isValidProfileName(name)) continue;
        found.emplace_back(std::move(name), it->path());
        if (found.size() >= kMaxProfiles) break;
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return listOrder(a.first, b.first); });
    for (auto& [name, path] : found) {
        names_.push_back(std::move(name));
        paths_.push_back(std::move(path));
    }
}

void ProfileManager::select(int item) {
    selection_ = (item >= 0 && item < static_cast<int>(names_.size())) ? item : -1;
}

const fs::path* ProfileManager::selectedPath() const {
    return selection_ < 0 ? nullptr : &paths_[static_cast<std::size_t>(selection_)];
}

ProfileOutcome ProfileManager::message(std::u16string text, ProfileStatus status) const {
    return {status, std::move(text), texts_.caption};
}

bool ProfileManager::nameTaken(std::string_view name) const {
    // A file that is not listed (a seventh one, say) is never overwritten either.
    return std::find(names_.begin(), names_.end(), name) != names_.end() ||
           existsAsAnything(pathOf(name));
}

bool ProfileManager::isOwnFile(const fs::path& file) const {
    return sameFile(file, folders_.state / kKeymapFileName) ||
           sameFile(file, folders_.state / kMacroFileName) ||
           sameFile(file, folders_.resources / kVersionFileName);
}

ProfileOutcome ProfileManager::newProfile(const MouseData& working) {
    if (names_.size() >= kMaxProfiles) return message(texts_.tooMany);
    if (!ensureFolder()) return message(texts_.folderNotCreated(folder_), ProfileStatus::Failed);
    std::string name;
    for (int i = 1;; ++i) {
        const std::string number = std::to_string(i);
        name = (i < 10 ? "Profile_" : i < 99 ? "Profile0" : "Profile") + number;
        if (!nameTaken(name)) break;
    }
    // The keyboard state as it is now: a profile of zeros would switch every
    // key and light off once loaded and saved.
    const fs::path path = pathOf(name);
    const bool written = writeFileAtomically(path, {bytesOf(working)});
    scan();
    if (!written) return message(texts_.notWritten(path), ProfileStatus::Failed);
    return {};
}

ProfileOutcome ProfileManager::copyProfile() {
    const fs::path* selected = selectedPath();
    if (selected == nullptr) return message(texts_.copyWithout);
    // Said, not silently ignored: otherwise Copy looks broken with six profiles.
    if (names_.size() >= kMaxProfiles) return message(texts_.tooMany);
    const fs::path source = *selected;

    const ProfileContents contents(source);
    // A damaged source gives no copy rather than a padded one.
    if (auto problem = contents.problem(texts_, source)) return message(*problem, ProfileStatus::Failed);

    const std::string prefix = fs::path(texts_.copyPrefix).string();
    const std::string& original = names_[static_cast<std::size_t>(selection_)];
    std::string name;
    for (int i = 0;; ++i) {
        name = prefix + " " + original;
        if (i > 0) name += " " + std::to_string(i);
        if (!nameTaken(name)) break;
    }
    if (profileNameProblem(name) == NameProblem::TooLong || name.size() + 4 > kMaxFileNameBytes) {
        return message(texts_.nameTooLong, ProfileStatus::Failed);
    }
    const fs::path target = pathOf(name);
    const bool full = contents.shape == ProfileContents::Shape::Full;
    const bool written =
        full ? writeImage(target, *contents.data, *contents.table) : writeFileAtomically(target, {bytesOf(*contents.data)});
    scan();
    if (!written) return message(texts_.notWritten(target), ProfileStatus::Failed);
    return {};
}

std::optional<ProfileOutcome> ProfileManager::saveOrLoadBlocked(bool load) const {
    if (selectedPath() != nullptr) return std::nullopt;
    return message(load ? texts_.loadWithout : texts_.saveWithout);
}

ProfileOutcome ProfileManager::saveProfile(const SettingsImage& image,
                                           const std::optional<fs::path>& chosenFile) {
    if (auto blocked = saveOrLoadBlocked(false)) return *blocked;
    const auto& working = image.working;
    const fs::path profile = *selectedPath();
    if (!writeImage(profile, working.mouseData, working.keyAssignments)) {
        return message(texts_.notWritten(profile), ProfileStatus::Failed);
    }
    if (!chosenFile) return {};
    // The dialog opens beside keymap.bin and MacroDefine.bin: neither may be
    // replaced by a profile image.
    if (isOwnFile(*chosenFile)) return message(texts_.ownSettingsFile, ProfileStatus::Failed);
    if (!writeImage(*chosenFile, working.mouseData, working.keyAssignments)) {
        return message(texts_.notWritten(*chosenFile), ProfileStatus::Failed);
    }
    return {};
}

ProfileOutcome ProfileManager::loadProfile(SettingsImage& image,
                                           const std::optional<fs::path>& chosenFile) {
    if (auto blocked = saveOrLoadBlocked(true)) return *blocked;
    if (!chosenFile) return {ProfileStatus::Ignored, {}, {}};
    // The macro file would come in as keyboard state and key assignments.
    if (isOwnFile(*chosenFile)) return message(texts_.ownSettingsFile, ProfileStatus::Failed);

    const ProfileContents contents(*chosenFile);
    if (auto problem = contents.problem(texts_, *chosenFile)) return message(*problem, ProfileStatus::Failed);
    auto& working = image.working;
    // A keyboard state of zeros (a new profile of an earlier version) would
    // leave every key dead and the lights off after the next Save.
    const bool noKeyboardState = contents.keyboardStateEmpty();
    // A file of the right size with values the keyboard refuses is no
    // profile either: it is not taken over the selected one.
    if (!noKeyboardState) {
        const auto outOfRange = outOfRangeFields(*contents.data);
        if (!outOfRange.empty()) {
            return message(texts_.outOfRange(*chosenFile, outOfRange.front().describe()), ProfileStatus::Failed);
        }
    }
    if (!noKeyboardState) working.mouseData = *contents.data;
    if (contents.shape == ProfileContents::Shape::Full) {
        working.keyAssignments = *contents.table;
        stampKeyCodes(working.keyAssignments);
    }
    const fs::path profile = *selectedPath();
    if (!writeImage(profile, working.mouseData, working.keyAssignments)) {
        return message(texts_.notWritten(profile), ProfileStatus::Failed);
    }
    if (noKeyboardState) return message(texts_.noKeyboardSettings, ProfileStatus::Notice);
    return {};
}

ProfileOutcome ProfileManager::requestDelete() const {
    if (names_.size() == 1) return message(texts_.keepOne);
    if (selectedPath() == nullptr) return message(texts_.deleteWithout);
    return message(texts_.confirmDelete, ProfileStatus::NeedConfirmation);
}

ProfileOutcome ProfileManager::deleteConfirmed() {
    ProfileOutcome check = requestDelete();
    if (check.status != ProfileStatus::NeedConfirmation) return check;
    const fs::path path = *selectedPath();
    std::error_code ec;
    const bool removed = fs::remove(path, ec);
    scan();
    if (!removed) return message(texts_.notDeleted(path), ProfileStatus::Failed);
    return {};
}

ProfileOutcome ProfileManager::rename(std::size_t item, const std::string& newName) {
    if (item >= names_.size()) return {ProfileStatus::Ignored, {}, {}};
    const fs::path source = paths_[item];
    const auto refuse = [&](const std::u16string& text) {
        scan();  // the list shows the old name again
        return message(text, ProfileStatus::Refused);
    };
    switch (profileNameProblem(newName)) {
        case NameProblem::None: break;
        case NameProblem::Empty: return refuse(texts_.nameEmpty);
        case NameProblem::SlashOrDots: return refuse(texts_.nameSlashOrDots);
        case NameProblem::Control: return refuse(texts_.nameControl);
        case NameProblem::TooLong: return refuse(texts_.nameTooLong);
    }
    // The new file name keeps or gains ".bin" at its end, so it stays listed.
    const fs::path target = folder_ / profileFileName(newName);
    if (target == source) {  // "a" typed as "a.bin": the same file
        scan();
        return {ProfileStatus::Ignored, {}, {}};
    }
    if (std::find(paths_.begin(), paths_.end(), target) != paths_.end() || existsAsAnything(target)) {
        return refuse(texts_.nameTaken);
    }
    std::error_code ec;
    fs::rename(source, target, ec);
    scan();
    if (ec) return {ProfileStatus::Failed, u"Fail", {}};
    return {};
}

}  // namespace orvane
