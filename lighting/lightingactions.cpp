#include "lighting/lightingactions.h"

#include "keymap/keytables.h"
#include "lighting/effecttable.h"

namespace orvane {
namespace {

bool onEffectList(int x, int y) {
    return x >= kEffectListLeft && x <= kEffectListRight && y >= kEffectListTop &&
           y <= kEffectListBottom;
}

}  // namespace

void openEffectList(MainWindowState& state) {
    state.EffectListOpen = true;
    // Hidden so they cannot take clicks meant for the list.
    state.slider(SliderKind::Speed).visible = false;
    state.slider(SliderKind::Brightness).visible = false;
}

void hoverEffectList(MainWindowState& state, int x, int y) {
    state.SelectedEffectItem =
        onEffectList(x, y) ? static_cast<std::uint8_t>((y - kEffectListTop) / 20) : kNoItem;
}

void releaseOnEffectList(MouseData& data, MainWindowState& state, int x, int y) {
    state.EffectListOpen = false;
    if (!onEffectList(x, y)) return;
    const auto row = static_cast<std::size_t>((y - kEffectListTop) / 20);
    state.SelectedEffectItem = static_cast<std::uint8_t>(row);
    LedEffect& fx = data.ledEffect;
    fx.LEDEffectMode = EffectCodeTable[row];
    state.DiyColorMode = fx.LEDEffectMode >= kFirstKeyColorEffect;
    state.slider(SliderKind::Speed).visible = true;
    if (fx.LEDEffectMode == 1 && fx.LEDEffectColor == 8) fx.LEDEffectColor = 1;
    if (fx.LEDEffectMode == 3 || fx.LEDEffectMode == 8) fx.LEDEffectColor = 8;
}

void chooseDirection(MouseData& data, int regionCode) {
    // Regions 4..7 are the top, bottom, right and left pictures.
    static constexpr std::uint8_t kDirection[] = {3, 4, 2, 1};
    if (regionCode < 4 || regionCode > 7) return;
    data.ledEffect.LEDEffectDirection = kDirection[regionCode - 4];
}

void clickSwatch(MouseData& data, const MainWindowState& state, int swatch, MainWindowHost& host) {
    const std::uint8_t mode = data.ledEffect.LEDEffectMode;
    if (swatch < 1 || swatch > 8 || state.LightingCollapsed || mode >= kFirstKeyColorEffect) return;
    if ((mode == 3 || mode == 8) && swatch != 8) return;
    if (mode == 1 && swatch == 8) return;
    if (swatch != 8 && swatch == data.ledEffect.LEDEffectColor) {
        if (const auto colour = host.chooseColor()) {
            auto entry = paletteColor(data, static_cast<std::size_t>(swatch - 1));
            entry[0] = colour->red;
            entry[1] = colour->green;
            entry[2] = colour->blue;
        }
    }
    data.ledEffect.LEDEffectColor = static_cast<std::uint8_t>(swatch);
}

void clickKeyColour(MouseData& data, std::uint8_t position, MainWindowHost& host) {
    const std::uint8_t mode = data.ledEffect.LEDEffectMode;
    // A read or profile load can leave the colour view on while a built-in
    // effect is current; there is no table to write then.
    if (position >= kKeyPositionCount || mode < kFirstKeyColorEffect ||
        mode >= kFirstKeyColorEffect + kKeyColorTableCount) {
        return;
    }
    const auto colour = host.chooseColor();
    if (!colour) return;
    auto table = keyColorTable(data, mode - kFirstKeyColorEffect);
    const std::size_t e = KeyPositionEntryMap[position];
    table[e] = 0;
    table[e + 1] = colour->red;
    table[e + 2] = colour->green;
    table[e + 3] = colour->blue;
}

}  // namespace orvane
