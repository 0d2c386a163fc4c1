#include "mainwindow/view/keycolors.h"

#include "keyboardstate/keytables.h"
#include "mainwindow/model/keypicturetable.h"
#include "drawing/paintcontext.h"
#include "keyboardstate/effecttable.h"

namespace orvane {

void DrawKeyColors(const PaintContext& ctx, const MouseData& data) {
    // An effect past the last table (56 and up) would read beyond the five tables.
    const auto table = keyColorTableOf(data.ledEffect.LEDEffectMode);
    if (!table) return;
    const auto colours = keyColorTable(data, *table);
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        if (p >= 16 && p <= 19) continue;
        const std::size_t e = KeyPositionEntryMap[p];
        if (e + 3 >= colours.size()) continue;
        const std::uint8_t r = colours[e + 1], g = colours[e + 2], b = colours[e + 3];
        if (r == 0 && g == 0 && b == 0) continue;
        const KeyPicture& k = KeyPictureTable[p];
        ctx.canvas.FillBox(kKeyboardPictureX + k.left, kKeyboardPictureY + k.top,
                           k.right - k.left, k.bottom - k.top,
                           (SkinColor{r} << 16) | (SkinColor{g} << 8) | b);
        const SkinColor inverse =
            (SkinColor{255u - r} << 16) | (SkinColor{255u - g} << 8) | (255u - b);
        ctx.canvas.DrawSkinText(
            QString::fromUtf16(k.label.data(), static_cast<qsizetype>(k.label.size())),
            kKeyboardPictureX + k.labelX, kKeyboardPictureY + k.labelY, inverse, 10);
    }
}

}  // namespace orvane
