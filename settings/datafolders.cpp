#include "settings/datafolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace orvane {

namespace {

bool holdsWritableSkin(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder / "png", ec) && ::access(folder.c_str(), W_OK) == 0;
}

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> homeFolder() {
    if (auto home = environmentValue("HOME"); home && !home->empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return std::string(entry->pw_dir);
    return std::nullopt;
}

}  // namespace

DataFolders decideDataFolders(const std::filesystem::path& executableFolder, const DataFolderEnvironment& env) {
    if (holdsWritableSkin(executableFolder)) return {executableFolder, executableFolder};
    const std::filesystem::path resources = (executableFolder / ".." / "share" / "orvane").lexically_normal();
    std::filesystem::path dataHome;
    if (env.xdgDataHome && std::filesystem::path(*env.xdgDataHome).is_absolute()) {
        dataHome = *env.xdgDataHome;
    } else if (env.home && !env.home->empty()) {
        dataHome = std::filesystem::path(*env.home) / ".local" / "share";
    } else {
        // No home at all (a bare service account): the temporary folder still keeps the run working.
        dataHome = std::filesystem::temp_directory_path();
    }
    return {resources, dataHome / "orvane"};
}

std::filesystem::path executableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::optional<DataFolders> dataFoldersOfThisProcess() {
    DataFolders folders =
        decideDataFolders(executableFolder(), {environmentValue("XDG_DATA_HOME"), homeFolder()});
    std::error_code ec;
    if (!std::filesystem::is_directory(folders.state, ec)) {
        std::filesystem::create_directories(folders.state, ec);
        if (ec) return std::nullopt;
        std::filesystem::permissions(folders.state, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace, ec);
    }
    return folders;
}

}  // namespace orvane
