// Every text the key assignment panel draws or shows, in both languages.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvane {

struct KeyMapTexts {
    std::u16string_view currentKey;            // followed directly by the key's label
    std::array<std::u16string_view, 4> tabs;   // Single/Combine, Macro, Basic, Advance
    std::u16string_view single, combine;       // labels of page 0
    std::array<std::u16string_view, 4> advanceRows;
    std::u16string_view disable, defaultButton, cancel, save;

    std::u16string_view selectSubItem;    // Save on a group of the Basic tree
    std::u16string_view selectFolder;     // the folder browser gave no file-system path
    std::u16string_view noDeviceCode;     // a captured key the keyboard has no code for
    std::u16string_view pathTooLong;      // a chosen path over 255 characters
    std::u16string_view pathNotUsable;    // a chosen path a host action cannot use
    std::u16string_view pathMissing;      // Save of a host action that has no path
    std::u16string_view allFiles;         // the extra filter of the file choosers
};

// Chinese for language code 4, English for any other.
const KeyMapTexts& keyMapTexts(std::int16_t languageCode);

}  // namespace orvane
