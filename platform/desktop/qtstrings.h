// The program keeps its texts as UTF-16 (what the skin and the keyboard's
// tables hold) or UTF-8 (file names, profile names); Qt wants QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace orvane {

inline QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString qsUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string u16(const QString& text) { return text.toStdU16String(); }

inline std::string utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace orvane
