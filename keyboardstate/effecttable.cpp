#include "keyboardstate/effecttable.h"

#include "keyboardstate/settingsimage.h"

namespace orvane {

const std::array<std::uint8_t, kEffectRowCount> EffectCodeTable{
    1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 51, 52, 53, 54, 55,
};

const std::array<EffectName, kEffectRowCount> EffectNameTable{{
    {u"全亮", u"Static"},
    {u"呼吸", u"Breathing"},
    {u"波浪", u"Wave"},
    {u"随按渐灭", u"Reactive"},
    {u"蛇形跑马", u"Sidewinder"},
    {u"涟漪", u"Ripple"},
    {u"霓虹", u"Spectrum"},
    {u"雨滴", u"Raindrop"},
    {u"环形跑马", u"Vortex"},
    {u"对冲", u"Spotlight"},
    {u"雷达", u"Radar"},
    {u"DIY1", u"DIY1"},
    {u"DIY2", u"DIY2"},
    {u"DIY3", u"DIY3"},
    {u"DIY4", u"DIY4"},
    {u"DIY5", u"DIY5"},
}};

std::optional<std::size_t> effectRowOf(std::uint8_t effect) {
    for (std::size_t r = 0; r < EffectCodeTable.size(); ++r)
        if (EffectCodeTable[r] == effect) return r;
    return std::nullopt;
}

std::u16string_view effectName(std::size_t row, std::int16_t languageCode) {
    if (row >= EffectNameTable.size()) return {};
    return languageCode == kLanguageChinese ? EffectNameTable[row].chinese : EffectNameTable[row].english;
}

std::u16string_view effectNameOf(std::uint8_t effect, std::int16_t languageCode) {
    const auto row = effectRowOf(effect);
    return row ? effectName(*row, languageCode) : std::u16string_view{};
}

std::optional<std::size_t> keyColorTableOf(std::uint8_t effect) {
    if (effect < kFirstKeyColorEffect || effect >= kFirstKeyColorEffect + kKeyColorTableCount)
        return std::nullopt;
    return static_cast<std::size_t>(effect - kFirstKeyColorEffect);
}

}  // namespace orvane
