// Where the utility's files live, decided in one place. Resources are read
// only: the skin (png/), VER.bin and the updater. State is written: keymap.bin,
// MacroDefine.bin, the profile folder and the virtual keyboard's state.
//
// An executable whose own folder holds png/ and can be written (the build tree,
// an unpacked portable folder) keeps both there. An installed one reads its
// resources from share/orvane beside its bin/ folder, whatever the prefix, and
// keeps its state in $XDG_DATA_HOME/orvane (~/.local/share/orvane).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvane {

struct DataFolders {
    std::filesystem::path resources;
    std::filesystem::path state;
};

struct DataFolderEnvironment {
    std::optional<std::string> xdgDataHome;  // $XDG_DATA_HOME
    std::optional<std::string> home;         // $HOME, or the password database's entry
};

// The decision alone: nothing is created. A relative or empty $XDG_DATA_HOME
// is ignored, as the base directory rules ask.
DataFolders decideDataFolders(const std::filesystem::path& executableFolder, const DataFolderEnvironment& env);

// This process's folders: the executable's own folder, the environment, and the
// state folder created (only the owner may enter it) when it is missing.
// Nothing when the state folder cannot be made.
std::optional<DataFolders> dataFoldersOfThisProcess();

// The folder of the running executable.
std::filesystem::path executableFolder();

}  // namespace orvane
