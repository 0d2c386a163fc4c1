#include "settings/profilenames.h"

namespace orvane {
namespace {

constexpr std::string_view kBin = ".bin";

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8) count += (c & 0xC0) != 0x80;
    return count;
}

bool hasControlCharacter(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F) return true;
        // U+0080..U+009F are 0xC2 0x80..0x9F in UTF-8.
        if (c == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F) return true;
        }
    }
    return false;
}

}  // namespace

bool endsWithBin(std::string_view name) {
    return name.size() >= kBin.size() && name.substr(name.size() - kBin.size()) == kBin;
}

NameProblem profileNameProblem(std::string_view name) {
    if (name.empty()) return NameProblem::Empty;
    if (name.find('/') != std::string_view::npos || name.find("..") != std::string_view::npos ||
        name == ".") {
        return NameProblem::SlashOrDots;
    }
    if (hasControlCharacter(name)) return NameProblem::Control;
    if (characterCount(name) > kMaxProfileNameCharacters ||
        profileFileName(name).size() > kMaxFileNameBytes) {
        return NameProblem::TooLong;
    }
    // "x.bin" is the file of "x": what is listed must still be a name.
    if (profileDisplayName(profileFileName(name)).empty()) return NameProblem::Empty;
    return NameProblem::None;
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

std::string profileFileName(std::string_view name) {
    return endsWithBin(name) ? std::string(name) : std::string(name) + std::string(kBin);
}

}  // namespace orvane
