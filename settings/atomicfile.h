// Whole-file replacement that never leaves a torn file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
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

// Reads up to dest.size() bytes from the start of a file. Returns the number
// of bytes read, or nothing when the file cannot be opened (it counts as absent).
std::optional<std::size_t> readFilePrefix(const std::filesystem::path& path,
                                          std::span<std::byte> dest);

template <typename T>
std::span<const std::byte> bytesOf(const T& record) {
    return std::as_bytes(std::span<const T, 1>(&record, 1));
}

template <typename T>
std::span<std::byte> writableBytesOf(T& record) {
    return std::as_writable_bytes(std::span<T, 1>(&record, 1));
}

}  // namespace orvane
