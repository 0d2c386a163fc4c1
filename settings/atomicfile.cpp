#include "settings/atomicfile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

bool writeAll(int fd, std::span<const std::byte> data) {
    const std::byte* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    const int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& target,
                         std::initializer_list<std::span<const std::byte>> pieces,
                         const std::function<bool()>& beforeRename) {
    const std::filesystem::path folder = target.parent_path();
    // mkstemp wants a mutable template; the temporary sits beside the target so
    // the rename stays within one file system.
    std::string pattern = (folder.empty() ? std::filesystem::path(".") : folder) /
                          ("." + target.filename().string() + ".XXXXXX");
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return false;

    bool ok = true;
    for (const auto& piece : pieces) {
        if (!writeAll(fd, piece)) {
            ok = false;
            break;
        }
    }
    // Keep the permissions an ordinary file would get rather than mkstemp's 0600.
    if (ok) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ok = ::fchmod(fd, 0666 & ~mask) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && beforeRename) ok = beforeRename();
    if (ok) ok = ::rename(pattern.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(pattern.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

FileReadCalls& fileReadCalls() {
    static FileReadCalls calls{
        [](const char* path) { return ::open(path, O_RDONLY | O_CLOEXEC); },
        [](int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); },
    };
    return calls;
}

FileRead readFileStart(const std::filesystem::path& path, std::span<std::byte> dest) {
    const FileReadCalls& calls = fileReadCalls();
    const int fd = calls.open(path.c_str());
    if (fd < 0) {
        // Only a file that is not there is absent; anything else must not be
        // taken for a missing file and replaced.
        const bool absent = errno == ENOENT || errno == ENOTDIR;
        return {absent ? ReadOutcome::Absent : ReadOutcome::Unreadable, 0};
    }
    std::size_t got = 0;
    bool failed = false;
    while (got < dest.size()) {
        const ssize_t n = calls.read(fd, dest.data() + got, dest.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failed = true;  // a folder, an I/O error: never a short file
            break;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (failed) return {ReadOutcome::Unreadable, 0};
    return {ReadOutcome::Read, got};
}

namespace {

constexpr std::size_t kUniqueChars = 6;  // the XXXXXX mkstemp fills in

// The target a temporary file name stands for, if it is one.
std::optional<std::string_view> targetOfTemporary(std::string_view name) {
    if (name.size() < 1 + 1 + 1 + kUniqueChars || name.front() != '.') return std::nullopt;
    const std::size_t dot = name.size() - kUniqueChars - 1;
    if (name[dot] != '.') return std::nullopt;
    for (char c : name.substr(dot + 1)) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) return std::nullopt;
    }
    return name.substr(1, dot - 1);
}

}  // namespace

bool isTemporaryFileOf(std::string_view fileName, std::string_view targetName) {
    const auto target = targetOfTemporary(fileName);
    return target && *target == targetName;
}

std::size_t removeInterruptedWrites(const std::filesystem::path& folder,
                                    const std::function<bool(std::string_view)>& isTarget) {
    std::size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError)) continue;
        const std::string name = it->path().filename().string();
        const auto target = targetOfTemporary(name);
        if (!target || !isTarget(*target)) continue;
        std::error_code removeError;
        if (std::filesystem::remove(it->path(), removeError)) ++removed;
    }
    return removed;
}

std::optional<std::size_t> readFilePrefix(const std::filesystem::path& path,
                                          std::span<std::byte> dest) {
    const FileRead read = readFileStart(path, dest);
    if (read.outcome != ReadOutcome::Read) return std::nullopt;
    return read.bytes;
}

}  // namespace orvane
