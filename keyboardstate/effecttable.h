// The sixteen rows of the lighting effect list: the effect number each row
// selects and its name in both languages.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane {

inline constexpr std::size_t kEffectRowCount = 16;

struct EffectName {
    std::u16string_view chinese;
    std::u16string_view english;
};

// Row r of the list selects effect EffectCodeTable[r].
extern const std::array<std::uint8_t, kEffectRowCount> EffectCodeTable;
extern const std::array<EffectName, kEffectRowCount> EffectNameTable;

// The first row whose effect is `effect`; nullopt for a number no row selects.
std::optional<std::size_t> effectRowOf(std::uint8_t effect);

// The name of a row in the language of `languageCode` (4 Chinese, anything
// else English); empty for a row outside the table.
std::u16string_view effectName(std::size_t row, std::int16_t languageCode);

// The displayed name of an effect number, empty when no row selects it.
std::u16string_view effectNameOf(std::uint8_t effect, std::int16_t languageCode);

// The effects whose swatches are grey, with only swatch 8 selectable.
constexpr bool isGreySwatchEffect(int effect) { return effect == 3 || effect == 8; }
// Effects that show the direction pictures.
constexpr bool hasDirectionPictures(int effect) { return effect == 3 || effect == 13; }

// The colour table of a per-key effect (51..55 give 0..4); nullopt for any
// other effect, which has no table.
std::optional<std::size_t> keyColorTableOf(std::uint8_t effect);

}  // namespace orvane
