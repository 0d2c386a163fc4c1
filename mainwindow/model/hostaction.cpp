#include "mainwindow/model/hostaction.h"

#include "settings/keyassignment.h"

namespace orvane {

HostActionTarget splitActionPath(const std::u16string& path) {
    const std::string utf8 = toUtf8(path);
    const auto slash = utf8.rfind('/');
    if (slash == std::string::npos) return {utf8, {}};
    return {utf8.substr(0, slash), utf8.substr(slash + 1)};
}

HostActionRun runHostAction(const KeyAssignmentTable& table, std::uint8_t keyCode, HostShell& shell,
                            std::string* path) {
    const KeyAssignment* record = findHostActionRecord(table, keyCode);
    if (record == nullptr) return HostActionRun::NoAction;
    const std::u16string stored(fixedText(record->actionPath));
    const HostActionTarget target = splitActionPath(stored);
    const std::string full =
        target.fileName.empty() ? toUtf8(stored) : target.directory + "/" + target.fileName;
    if (path != nullptr) *path = full;
    if (target.fileName.empty()) return HostActionRun::Failed;
    // Only Startup runs a program: on vfat, exFAT or NTFS every file looks
    // executable, and a sound there must still play. A Startup file that
    // cannot be started (a script without "#!", a document) is opened.
    if (record->mapType == TYPE_STARTUP && shell.isExecutableFile(full) &&
        shell.startDetached(full, target.directory.empty() ? "/" : target.directory)) {
        return HostActionRun::Done;
    }
    return shell.openWithDesktop(full) ? HostActionRun::Done : HostActionRun::Failed;
}

HostActionFailure hostActionFailure(std::string_view path, std::int16_t languageCode) {
    const std::u16string shown = fromUtf8(path);
    if (languageCode == kLanguageChinese) {
        return {u"无法执行此按键的功能：\n" + shown, u"按键功能"};
    }
    return {u"The action of this key could not be carried out:\n" + shown, u"Key action"};
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        char32_t c = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4;
        }
        if (len > 1) {
            if (i + len > text.size()) {
                len = 1;
            } else {
                c = b & (0x7F >> len);
                for (std::size_t k = 1; k < len; ++k) {
                    const auto cont = static_cast<unsigned char>(text[i + k]);
                    if ((cont & 0xC0) != 0x80) {
                        c = 0xFFFD;
                        len = k;
                        break;
                    }
                    c = (c << 6) | (cont & 0x3F);
                }
            }
        }
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c > 0x10FFFF ? 0xFFFD : c);
        }
        i += len;
    }
    return out;
}

}  // namespace orvane
