#include "settings/profiles.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <system_error>
#include <utility>

#include "settings/atomicfile.h"
#include "settings/settingsfiles.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBin = ".bin";

bool endsWithBin(std::string_view name) {
    return name.size() >= kBin.size() && name.substr(name.size() - kBin.size()) == kBin;
}

// The list box sorts without regard to case; equal names keep byte order.
bool listOrder(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    const bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
    const bool greater = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(),
        [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
    return less || (!greater && a < b);
}

bool existsAsAnything(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

bool writeImage(const fs::path& path, const MouseData& data, const KeyAssignmentTable& table) {
    return writeFileAtomically(path, {bytesOf(data), bytesOf(table)});
}

// The save dialog opens in the data folder, so its choice can be one of the
// utility's own files; one found unreadable is not replaced during the run.
bool isUnreadableSettingsFile(const SettingsImage& image, const fs::path& dataFolder,
                              const fs::path& file) {
    std::error_code ec;
    return (image.unreadableFiles.keymap && fs::equivalent(file, dataFolder / kKeymapFileName, ec)) ||
           (image.unreadableFiles.macros && fs::equivalent(file, dataFolder / kMacroFileName, ec));
}

}  // namespace

ProfileTexts profileTexts(std::int16_t languageCode) {
    if (languageCode == kLanguageChinese) {
        return {"配置", "新建", "删除", "配置管理",
                "最多可以存储6个配置\n", "请选择一个配置存储", "请选择一个配置打开",
                "请选择一个配置拷贝", "请选择一个配置删除", "请至少保留一个配置文件",
                "删除当前配置文件吗", "复制 ",
                "新建", "复制", "保存", "加载", "删除"};
    }
    return {"Profile", "New", "Delete", "Profile",
            "Only Create Six Profile mostly\n", "Please select a profile to Save\n",
            "Please select a profile to Open\n", "Please select a profile to copy\n",
            "Please select a profile to delete\n", "Please keep a profile\n",
            "Delete current profile ?", "Copy of ",
            "New", "Copy", "Save", "Load", "Delete"};
}

bool isValidProfileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::string profileDisplayName(std::string_view fileName) {
    // Only the suffix: "a.bin.bin" is "a.bin", so a name leads back to one file.
    if (endsWithBin(fileName)) fileName.remove_suffix(kBin.size());
    return std::string(fileName);
}

ProfileManager::ProfileManager(fs::path dataFolder, std::int16_t languageCode)
    : dataFolder_(std::move(dataFolder)),
      folder_(dataFolder_ / kProfileFolderName),
      texts_(profileTexts(languageCode)) {}

ProfileFileDialog ProfileManager::fileDialog() const {
    ProfileFileDialog dialog;
    dialog.initialFolder = dataFolder_;
    return dialog;
}

fs::path ProfileManager::pathOf(std::string_view name) const {
    return folder_ / (std::string(name) + std::string(kBin));
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

ProfileOutcome ProfileManager::message(const std::string& text, ProfileStatus status) const {
    return {status, text, texts_.caption};
}

bool ProfileManager::nameTaken(std::string_view name) const {
    // A file that is not listed (a seventh one, say) is never overwritten either.
    return std::find(names_.begin(), names_.end(), name) != names_.end() ||
           existsAsAnything(pathOf(name));
}

ProfileOutcome ProfileManager::newProfile() {
    if (names_.size() >= kMaxProfiles) return message(texts_.tooMany);
    std::string name;
    for (int i = 1;; ++i) {
        const std::string number = std::to_string(i);
        name = (i < 10 ? "Profile_" : i < 99 ? "Profile0" : "Profile") + number;
        if (!nameTaken(name)) break;
    }
    // A new profile holds a zeroed device image and no key assignments.
    const auto zeros = std::make_unique<MouseData>();
    const bool written = writeFileAtomically(pathOf(name), {bytesOf(*zeros)});
    scan();
    return {written ? ProfileStatus::Done : ProfileStatus::Failed, {}, {}};
}

ProfileOutcome ProfileManager::copyProfile() {
    const fs::path* source = selectedPath();
    if (source == nullptr) return message(texts_.copyWithout);
    if (names_.size() > kMaxProfiles - 1) return {ProfileStatus::Ignored, {}, {}};

    auto data = std::make_unique<MouseData>();
    auto table = std::make_unique<KeyAssignmentTable>();
    const auto read = readSettingsPair(*source, *data, *table);
    // An unreadable source gives no copy rather than a blank profile.
    if (!read) return {ProfileStatus::Failed, {}, {}};

    const std::string& original = names_[static_cast<std::size_t>(selection_)];
    std::string name;
    for (int i = 0;; ++i) {
        name = texts_.copyPrefix + " " + original;
        if (i > 0) name += " " + std::to_string(i);
        if (!nameTaken(name)) break;
    }
    const std::size_t tableBytes = *read > sizeof(MouseData) ? *read - sizeof(MouseData) : 0;
    const bool written = writeFileAtomically(
        pathOf(name), {bytesOf(*data), bytesOf(*table).first(tableBytes)});
    scan();
    return {written ? ProfileStatus::Done : ProfileStatus::Failed, {}, {}};
}

std::optional<ProfileOutcome> ProfileManager::saveOrLoadBlocked(bool load) const {
    if (selectedPath() != nullptr) return std::nullopt;
    return message(load ? texts_.loadWithout : texts_.saveWithout);
}

ProfileOutcome ProfileManager::saveProfile(const SettingsImage& image,
                                           const std::optional<fs::path>& chosenFile) {
    if (auto blocked = saveOrLoadBlocked(false)) return *blocked;
    const auto& working = image.working;
    bool ok = writeImage(*selectedPath(), working.mouseData, working.keyAssignments);
    if (chosenFile) {
        ok = !isUnreadableSettingsFile(image, dataFolder_, *chosenFile) &&
             writeImage(*chosenFile, working.mouseData, working.keyAssignments) && ok;
    }
    return {ok ? ProfileStatus::Done : ProfileStatus::Failed, {}, {}};
}

ProfileOutcome ProfileManager::loadProfile(SettingsImage& image,
                                           const std::optional<fs::path>& chosenFile) {
    if (auto blocked = saveOrLoadBlocked(true)) return *blocked;
    if (!chosenFile) return {ProfileStatus::Ignored, {}, {}};
    auto& working = image.working;
    // Without a readable file the profile is not overwritten with what happens
    // to be in the working copy.
    if (!readSettingsPair(*chosenFile, working.mouseData, working.keyAssignments)) {
        return {ProfileStatus::Failed, {}, {}};
    }
    stampKeyCodes(working.keyAssignments);
    const bool ok = writeImage(*selectedPath(), working.mouseData, working.keyAssignments);
    return {ok ? ProfileStatus::Done : ProfileStatus::Failed, {}, {}};
}

ProfileOutcome ProfileManager::requestDelete() const {
    if (names_.size() == 1) return message(texts_.keepOne);
    if (selectedPath() == nullptr) return message(texts_.deleteWithout);
    return message(texts_.confirmDelete, ProfileStatus::NeedConfirmation);
}

ProfileOutcome ProfileManager::deleteConfirmed() {
    const ProfileOutcome check = requestDelete();
    if (check.status != ProfileStatus::NeedConfirmation) return check;
    std::error_code ec;
    const bool removed = fs::remove(*selectedPath(), ec);
    scan();
    return {removed ? ProfileStatus::Done : ProfileStatus::Failed, {}, {}};
}

ProfileOutcome ProfileManager::rename(std::size_t item, const std::string& newName) {
    if (item >= names_.size()) return {ProfileStatus::Ignored, {}, {}};
    // The new file name keeps or gains ".bin" at its end, so it stays listed.
    const std::string file = endsWithBin(newName) ? newName : newName + std::string(kBin);
    const fs::path target = folder_ / file;
    const bool valid = isValidProfileName(newName) && isValidProfileName(profileDisplayName(file));
    const bool taken = std::find(paths_.begin(), paths_.end(), target) != paths_.end() ||
                       existsAsAnything(target);
    if (!valid || taken) {
        scan();  // the list shows the old name again
        return {ProfileStatus::Refused, {}, {}};
    }
    std::error_code ec;
    fs::rename(paths_[item], target, ec);
    scan();
    if (ec) return {ProfileStatus::Failed, "Fail", {}};
    return {ProfileStatus::Done, {}, {}};
}

}  // namespace orvane
