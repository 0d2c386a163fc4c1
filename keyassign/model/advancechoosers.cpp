#include "keyassign/model/advancechoosers.h"

#include <algorithm>
#include <vector>

#include "keyassign/model/actionpath.h"
#include "keyassign/model/keymaptexts.h"

namespace orvane {

namespace {

struct FileChooser {
    std::u16string_view filter, initialName, suffix;
};

constexpr std::array<FileChooser, 3> kFileChoosers = {{
    {u"mp3 Files(*.mp3)", u"*.mp3", u"mp3"},
    {u"exe Files(*.exe)", u"*.exe", u"exe"},
    {u"txt Files(*.txt)", u"*.txt", u"txt"},
}};

constexpr int kFolderRow = 3;
// The filter memory holds what fits the 255 characters it had.
constexpr std::size_t kFilterCapacity = 255;

ChooserOutcome refusal(PathCheck check, const KeyMapTexts& texts) {
    ChooserOutcome out;
    switch (check) {
        case PathCheck::TooLong: out.message = texts.pathTooLong; break;
        case PathCheck::NotUsable: out.message = texts.pathNotUsable; break;
        case PathCheck::Empty:
        case PathCheck::Usable: break;
    }
    return out;
}

}  // namespace

AdvanceChoosers::AdvanceChoosers() {
    for (std::size_t i = 0; i < customFilters_.size(); ++i) customFilters_[i] = kFileChoosers[i].filter;
}

std::u16string_view AdvanceChoosers::filterText(int row) { return kFileChoosers.at(static_cast<std::size_t>(row)).filter; }
std::u16string_view AdvanceChoosers::initialName(int row) {
    return kFileChoosers.at(static_cast<std::size_t>(row)).initialName;
}
std::u16string_view AdvanceChoosers::defaultSuffix(int row) {
    return kFileChoosers.at(static_cast<std::size_t>(row)).suffix;
}

std::u16string_view AdvanceChoosers::customFilter(int row) const {
    return customFilters_.at(static_cast<std::size_t>(row));
}

ChooserOutcome AdvanceChoosers::choose(int row, Dialogs& dialogs, const std::filesystem::path& startFolder,
                                       std::int16_t languageCode) {
    if (row == kFolderRow) return chooseFolder(dialogs, startFolder, languageCode);
    if (row < 0 || row > kFolderRow) return {};
    return chooseFile(row, dialogs, startFolder, languageCode);
}

ChooserOutcome AdvanceChoosers::chooseFile(int row, Dialogs& dialogs, const std::filesystem::path& startFolder,
                                           std::int16_t languageCode) {
    const KeyMapTexts& texts = keyMapTexts(languageCode);
    const FileChooser& c = kFileChoosers[static_cast<std::size_t>(row)];
    std::u16string& memory = customFilters_[static_cast<std::size_t>(row)];
    // Linux programs and files rarely carry these extensions: every file can
    // be shown too, and the filter last picked is offered first next time.
    std::vector<std::u16string> offered{memory};
    for (std::u16string_view other : {c.filter, texts.allFiles}) {
        if (other != memory) offered.emplace_back(other);
    }
    std::u16string filters;
    for (const std::u16string& f : offered) filters += (filters.empty() ? u"" : u";;") + f;
    FileRequest request;
    request.filters = filters;
    request.selectedFilter = memory;
    request.folder = startFolder;
    request.initialName = std::u16string(c.initialName);
    request.defaultSuffix = std::u16string(c.suffix);
    request.mustExist = true;
    const std::optional<std::filesystem::path> chosen = dialogs.openFile(request);
    if (request.selectedFilter.size() <= kFilterCapacity &&
        std::find(offered.begin(), offered.end(), request.selectedFilter) != offered.end()) {
        memory = request.selectedFilter;
    }
    if (!chosen) return {};
    CheckedPath checked = checkChosenPath(*chosen);
    if (checked.check != PathCheck::Usable) return refusal(checked.check, texts);
    return {std::move(checked.text), {}, false};
}

ChooserOutcome AdvanceChoosers::chooseFolder(Dialogs& dialogs, const std::filesystem::path& startFolder,
                                             std::int16_t languageCode) {
    const KeyMapTexts& texts = keyMapTexts(languageCode);
    const std::optional<std::filesystem::path> chosen = dialogs.chooseFolder(kFolderTitle, startFolder);
    if (!chosen) return {};
    CheckedPath checked = checkChosenPath(*chosen);
    if (checked.check == PathCheck::Empty) return {std::nullopt, texts.selectFolder, true};
    if (checked.check != PathCheck::Usable) return refusal(checked.check, texts);
    return {std::move(checked.text), {}, false};
}

}  // namespace orvane
