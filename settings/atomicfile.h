// Whole-file replacement that never leaves a torn file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <sys/types.h>
#include <string_view>

namespace orvane {

// Writes the pieces, in order, to a temporary file in the target's folder,
// flushes it to disk and renames it over the target. A crash or a full disk
// leaves either the old or the new file. Returns whether the new file is in place.
//
// beforeRename, when given, runs after the temporary file is complete and can
// abandon the write by returning false (tests use it to stand for a crash at
// that moment; the temporary file is then removed and the target untouched).
bool writeFileAtomically(const std::filesystem::path& target,
                         std::initializer_list<std::span<const std::byte>> pieces,
                         const std::function<bool()>& beforeRename = {});

// A write that is killed before its rename leaves its temporary file behind:
// "." + the target's name + "." + six letters or digits. Whether fileName is
// such a leftover of a write of targetName.
bool isTemporaryFileOf(std::string_view fileName, std::string_view targetName);
// Removes from `folder` the leftovers of interrupted writes of the targets
// `isTarget` accepts (plain files only). Run it where no write of those
// targets can be under way, at start. Returns how many were removed.
std::size_t removeInterruptedWrites(const std::filesystem::path& folder,
                                    const std::function<bool(std::string_view target)>& isTarget);

enum class ReadOutcome {
    Read,        // the file was read up to dest.size() bytes or its end
    Absent,      // there is no such file
    Unreadable,  // it exists but could not be opened or read (permissions, I/O error)
};

struct FileRead {
    ReadOutcome outcome = ReadOutcome::Absent;
    std::size_t bytes = 0;  // bytes read; 0 unless outcome is Read
};

// Reads up to dest.size() bytes from the start of a file. A failure part way
// counts as unreadable, and dest then holds an unknown part of the file: read
// into scratch when the records must stay as they were.
FileRead readFileStart(const std::filesystem::path& path, std::span<std::byte> dest);

// The same, for callers that need no difference between the two failures:
// the number of bytes read, or nothing.
std::optional<std::size_t> readFilePrefix(const std::filesystem::path& path,
                                          std::span<std::byte> dest);

// The two system calls readFileStart goes through. Tests replace them to make
// a file that exists fail to open or read the way a foreign owner or a bad
// disk makes it fail, which permissions cannot do when the suite runs as root.
struct FileReadCalls {
    int (*open)(const char* path);  // a descriptor, or -1 with errno set
    ssize_t (*read)(int fd, void* buffer, std::size_t size);
};
FileReadCalls& fileReadCalls();

template <typename T>
std::span<const std::byte> bytesOf(const T& record) {
    return std::as_bytes(std::span<const T, 1>(&record, 1));
}

template <typename T>
std::span<std::byte> writableBytesOf(T& record) {
    return std::as_writable_bytes(std::span<T, 1>(&record, 1));
}

}  // namespace orvane
