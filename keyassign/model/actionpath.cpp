#include "keyassign/model/actionpath.h"

#include "keyboardstate/settingsimage.h"

namespace orvane {

namespace {

constexpr std::size_t kWholeBelow = 14;
constexpr std::size_t kTailWithoutSeparator = 10;
constexpr std::u16string_view kEllipsis = u"...";

}  // namespace

std::u16string advancePathText(std::u16string_view path) {
    if (path.size() < kWholeBelow) return std::u16string(path);
    const std::size_t slash = path.substr(0, path.size() - 1).rfind(u'/');
    if (slash == std::u16string_view::npos || slash < 1) {
        return std::u16string(kEllipsis) + std::u16string(path.substr(path.size() - kTailWithoutSeparator));
    }
    return std::u16string(kEllipsis) + std::u16string(path.substr(slash));
}

bool decodeUtf8(std::string_view bytes, std::u16string& out) {
    out.clear();
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        std::size_t len = 0;
        char32_t c = 0;
        if (b < 0x80) {
            len = 1, c = b;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2, c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3, c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4, c = b & 0x07;
        } else {
            return false;
        }
        if (i + len > bytes.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cont = static_cast<unsigned char>(bytes[i + k]);
            if ((cont & 0xC0) != 0x80) return false;
            c = (c << 6) | (cont & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not text.
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[len] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += len;
    }
    return true;
}

CheckedPath checkChosenPath(const std::filesystem::path& chosen) {
    const std::string& bytes = chosen.native();
    if (bytes.empty()) return {PathCheck::Empty, {}};
    std::u16string text;
    if (!decodeUtf8(bytes, text)) return {PathCheck::NotUsable, {}};
    if (text.find(u'\0') != std::u16string::npos) return {PathCheck::NotUsable, {}};
    // The host action splits at the last "/": it needs a folder and a name.
    if (text.front() != u'/' || text.back() == u'/') return {PathCheck::NotUsable, {}};
    if (text.size() > kPathCapacity) return {PathCheck::TooLong, {}};
    return {PathCheck::Usable, std::move(text)};
}

}  // namespace orvane
