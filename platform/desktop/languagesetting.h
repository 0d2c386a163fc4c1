// The one setting kept outside the data folder: the interface language.
#pragma once

#include <cstdint>

class QSettings;

namespace orvane {

// "CHS", exactly, selects Chinese (4); anything else, or nothing, English (9).
std::int16_t readLanguageCode();
std::int16_t languageCodeFrom(const QSettings& settings);

}  // namespace orvane
