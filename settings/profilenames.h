// What a profile may be called. Names are file names without their ".bin"
// suffix, as UTF-8 bytes; the profile folder holds one file per name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr std::size_t kMaxProfileNameCharacters = 255;
// The longest file name the file systems of the desktop take, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

enum class NameProblem {
    None,
    Empty,
    SlashOrDots,  // "/" or ".." anywhere, or the name "."
    Control,      // a control character (C0, DEL or C1)
    TooLong,      // more than 255 characters, or a file name the file system refuses
};

// Whether a name the user typed may become a profile.
NameProblem profileNameProblem(std::string_view name);

// A name that, with ".bin" appended, stays inside the profile folder: not
// empty, no "/" or NUL, not "." or "..". Files listed by the folder scan
// pass; names the user types must also pass profileNameProblem.
bool isValidProfileName(std::string_view name);

// The listed name of a file: its ".bin" suffix removed, once.
std::string profileDisplayName(std::string_view fileName);
// The file of a typed name: the name, with ".bin" appended unless it ends so.
std::string profileFileName(std::string_view name);
bool endsWithBin(std::string_view name);

}  // namespace orvane
