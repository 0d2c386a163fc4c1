// A profile file of any content and profile names of any bytes: the folder
// scanned, the file loaded into the working copy, copied, renamed and
// deleted. Nothing is ever written outside the profile folder, the loaded
// file itself is left as it was, a refused one changes no profile, and what
// would reach the keyboard is in range.
//
// Input: a language byte, a name length, the name, then the file's bytes.
#include <memory>
#include <set>

#include "fuzztarget.h"
#include "keyboardstate/keyboardranges.h"
#include "settings/profiles.h"
#include "settings/settingsfiles.h"

namespace {

std::set<std::filesystem::path> contents(const std::filesystem::path& folder) {
    std::set<std::filesystem::path> names;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        names.insert(it->path());
    }
    return names;
}

}  // namespace

ORVANE_FUZZ_TARGET(profile_file) {
    using namespace orvane;
    fuzz::Input in(data, size);
    const std::int16_t language = in.flag() ? kLanguageChinese : kLanguageEnglish;
    const auto nameBytes = in.bytes(in.byte());
    const std::string name(nameBytes.begin(), nameBytes.end());
    const auto file = in.rest();

    const std::filesystem::path root = fuzz::scratchFolder();
    const std::filesystem::path dataFolder = root / "data";
    const std::filesystem::path folder = dataFolder / kProfileFolderName;
    std::filesystem::create_directories(folder);
    fuzz::writeFile(folder / "Profile_1.bin", file);
    fuzz::writeFile(root / "chosen.bin", file);

    auto image = std::make_unique<SettingsImage>();
    ProfileManager profiles(DataFolders{dataFolder, dataFolder}, language);
    profiles.scan();
    ORVANE_FUZZ_CHECK(profiles.names().size() == 1);
    profiles.select(0);
    const auto profileBefore = fuzz::readFile(folder / "Profile_1.bin");
    const ProfileOutcome loaded = profiles.loadProfile(*image, root / "chosen.bin");
    ORVANE_FUZZ_CHECK(fuzz::readFile(root / "chosen.bin") == std::vector<std::uint8_t>(file.begin(), file.end()));
    if (loaded.status == ProfileStatus::Done) {
        // Only what the keyboard accepts is taken over a profile.
        ORVANE_FUZZ_CHECK(outOfRangeFields(image->working.mouseData).empty());
    } else if (loaded.status == ProfileStatus::Failed) {
        ORVANE_FUZZ_CHECK(fuzz::readFile(folder / "Profile_1.bin") == profileBefore);
    }
    auto sent = std::make_unique<MouseData>(image->working.mouseData);
    keepInKeyboardRanges(*sent, image->saved.mouseData);
    ORVANE_FUZZ_CHECK(outOfRangeFields(*sent).empty());

    profiles.select(0);
    profiles.copyProfile();
    profiles.scan();
    for (std::size_t i = 0; i < profiles.names().size(); ++i) {
        profiles.scan();
        if (i < profiles.names().size()) profiles.rename(i, name);
    }
    profiles.scan();
    profiles.newProfile(image->working.mouseData);
    profiles.select(0);
    profiles.saveProfile(*image, std::nullopt);
    profiles.select(static_cast<int>(profiles.names().size()) - 1);
    profiles.deleteConfirmed();

    // Everything written lies in the profile folder, as a listed ".bin" file.
    for (const auto& path : contents(root)) {
        if (path == dataFolder || path == folder || path == root / "chosen.bin") continue;
        ORVANE_FUZZ_CHECK(path.parent_path() == folder);
        const std::string leaf = path.filename().string();
        ORVANE_FUZZ_CHECK(leaf.size() > 4 && leaf.substr(leaf.size() - 4) == ".bin");
    }
    return 0;
}
