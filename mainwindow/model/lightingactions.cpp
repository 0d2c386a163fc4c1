#include "mainwindow/model/lightingactions.h"

#include "keyboardstate/keytables.h"
#include "keyboardstate/effecttable.h"

namespace orvane {
namespace {

bool onEffectList(int x, int y) {
    return x >= kEffectListLeft && x <= kEffectListRight && y >= kEffectListTop &&
           y <= kEffectListBottom;
}

}  // namespace

void openEffectList(LightingViewState& view) { view.EffectListOpen = true; }

void hoverEffectList(LightingViewState& view, int x, int y) {
    view.SelectedEffectItem =
        onEffectList(x, y) ? static_cast<std::uint8_t>((y - kEffectListTop) / 20) : kNoItem;
}

bool releaseOnEffectList(MouseData& data, LightingViewState& view, int x, int y) {
    view.EffectListOpen = false;
    if (!onEffectList(x, y)) return false;
    const auto row = static_cast<std::size_t>((y - kEffectListTop) / 20);
    view.SelectedEffectItem = static_cast<std::uint8_t>(row);
    LedEffect& fx = data.ledEffect;
    fx.LEDEffectMode = EffectCodeTable[row];
    view.DiyColorMode = fx.LEDEffectMode >= kFirstKeyColorEffect;
    if (fx.LEDEffectMode == 1 && fx.LEDEffectColor == 8) fx.LEDEffectColor = 1;
    if (isGreySwatchEffect(fx.LEDEffectMode)) fx.LEDEffectColor = 8;
    return true;
}

void chooseDirection(MouseData& data, int regionCode) {
    // Regions 4..7 are the top, bottom, right and left pictures.
    static constexpr std::uint8_t kDirection[] = {3, 4, 2, 1};
    if (regionCode < 4 || regionCode > 7) return;
    data.ledEffect.LEDEffectDirection = kDirection[regionCode - 4];
}

namespace {

bool swatchSelectable(const MouseData& data, const LightingViewState& view, int swatch) {
    const std::uint8_t mode = data.ledEffect.LEDEffectMode;
    if (swatch < 1 || swatch > 8 || view.LightingCollapsed || mode >= kFirstKeyColorEffect) return false;
    if (isGreySwatchEffect(mode) && swatch != 8) return false;
    return !(mode == 1 && swatch == 8);
}

}  // namespace

bool swatchClickAsksColour(const MouseData& data, const LightingViewState& view, int swatch) {
    return swatchSelectable(data, view, swatch) && swatch != 8 && swatch == data.ledEffect.LEDEffectColor;
}

void clickSwatch(MouseData& data, const LightingViewState& view, int swatch, std::optional<Rgb> colour) {
    if (!swatchSelectable(data, view, swatch)) return;
    if (colour && swatchClickAsksColour(data, view, swatch)) {
        auto entry = paletteColor(data, static_cast<std::size_t>(swatch - 1));
        entry[0] = colour->red;
        entry[1] = colour->green;
        entry[2] = colour->blue;
    }
    data.ledEffect.LEDEffectColor = static_cast<std::uint8_t>(swatch);
}

bool keyColourClickable(const MouseData& data, std::uint8_t position) {
    // A read or profile load can leave the colour view on while a built-in
    // effect is current; there is no table to write then.
    return position < kKeyPositionCount && keyColorTableOf(data.ledEffect.LEDEffectMode).has_value();
}

void setKeyColour(MouseData& data, std::uint8_t position, Rgb colour) {
    const auto table = keyColorTableOf(data.ledEffect.LEDEffectMode);
    if (position >= kKeyPositionCount || !table) return;
    auto entries = keyColorTable(data, *table);
    const std::size_t e = KeyPositionEntryMap[position];
    entries[e] = 0;
    entries[e + 1] = colour.red;
    entries[e + 2] = colour.green;
    entries[e + 3] = colour.blue;
}

}  // namespace orvane
