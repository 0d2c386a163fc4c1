// Paths of the host actions on the key assignment panel: how the Advance
// page shows one, and whether a chosen path can be stored in a record.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// A path shorter than 14 characters as it is; a longer one as "..." and its
// part from the last "/" before its final character (so a trailing "/" keeps
// the name before it). Without such a "/", "..." and the last 10 characters.
std::u16string advancePathText(std::u16string_view path);

enum class PathCheck {
    Usable,
    Empty,      // nothing was chosen
    TooLong,    // more than the 255 characters a record holds
    NotUsable,  // not absolute, not valid UTF-8, a 0 inside, or no name after the last "/"
};

struct CheckedPath {
    PathCheck check = PathCheck::Empty;
    std::u16string text;  // the path exactly, when usable
};

// Any character may appear in a usable path (spaces, quotes, ";", "$(...)",
// newlines): host actions start it without a shell.
CheckedPath checkChosenPath(const std::filesystem::path& chosen);

// Strict UTF-8 to UTF-16; false for anything that is not valid UTF-8.
bool decodeUtf8(std::string_view bytes, std::u16string& out);

}  // namespace orvane
