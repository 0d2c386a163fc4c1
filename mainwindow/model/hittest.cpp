#include "mainwindow/model/hittest.h"

#include "keyboardstate/keytables.h"
#include "mainwindow/model/keypicturetable.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

ClickRegionRows ClickRegionTable(const SectionLayout& l) {
    ClickRegionRows rows{};
    rows[0] = {936, 5, 952, 20};
    rows[1] = {957, 5, 973, 20};
    rows[2] = {978, 5, 994, 20};
    rows[3] = {28, 158, 248, 173};
    rows[4] = {29, 197, 64, 212};
    rows[5] = {79, 197, 114, 212};
    rows[6] = {129, 197, 164, 212};
    rows[7] = {179, 197, 214, 212};
    rows[8] = {};  // unused row: an empty rectangle holds no point
    rows[9] = l.macroButton;
    rows[10] = {34, l.yG + 33, 44, l.yG + 42};
    rows[11] = {88, l.yG + 33, 115, l.yG + 42};
    rows[12] = {28, l.yT + 28, 248, l.yT + 44};
    rows[13] = {};
    rows[14] = {19, 605, 89, 633};
    rows[15] = {800, 605, 857, 635};
    rows[16] = {861, 605, 918, 635};
    rows[17] = {923, 605, 980, 635};
    rows[18] = l.lightingHeader;
    rows[19] = l.gameModeHeader;
    rows[20] = l.responseTimeHeader;
    rows[21] = l.reportRateHeader;
    return rows;
}

int HitTestRegion(int x, int y, const MainWindowState& s, std::uint8_t ledEffectMode) {
    const SectionLayout layout = computeSectionLayout(s);
    const ClickRegionRows rows = ClickRegionTable(layout);
    const bool lighting = !s.LightingCollapsed;
    const bool gameMode = !s.GameModeCollapsed;
    const bool diy = lighting && ledEffectMode >= kFirstKeyColorEffect;
    auto in = [&](int code) { return rows[static_cast<std::size_t>(code)].contains(x, y); };
    auto inBox = [&](Box b) { return b.contains(x, y); };

    for (int code : {0, 1, 2, 18}) {
        if (in(code)) return code;
    }
    if (diy && inBox({28, 200, 42, 214})) return kRegionKeymapChoice;
    if (diy && inBox({130, 200, 144, 214})) return kRegionDiyChoice;
    if (lighting) {
        for (int code : {3, 4, 5, 6, 7}) {
            if (in(code)) return code;
        }
    }
    if (in(9)) return 9;
    if (lighting) {
        for (int k = 0; k < 8; ++k) {
            if (inBox({28 + 25 * k, 223, 48 + 25 * k, 243})) return kRegionSwatchFirst + k;
        }
    }
    if (gameMode && in(10)) return 10;
    if (gameMode && in(11)) return 11;
    if (in(19)) return 19;
    if (gameMode && inBox({164, layout.yG + 33, 174, layout.yG + 42})) return kRegionWinLockOn;
    if (gameMode && inBox({218, layout.yG + 33, 245, layout.yG + 42})) return kRegionWinLockOff;
    if (!s.ResponseTimeCollapsed && in(12)) return 12;
    for (int code : {20, 21, 14, 15, 16, 17}) {
        if (in(code)) return code;
    }
    if (inBox({19, 32, 261, 102})) return kRegionLogo;
    return kRegionNone;
}

std::uint8_t KeyAtPoint(int x, int y, bool diyColorMode) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const KeyPicture& k = KeyPictureTable[p];
        if (!k.hasRectangle()) continue;
        const Box box{kKeyboardPictureX + k.left, kKeyboardPictureY + k.top,
                      kKeyboardPictureX + k.right, kKeyboardPictureY + k.bottom};
        if (!box.contains(x, y)) continue;
        if (diyColorMode || (p != kLeftWindowsPosition && p != kFnPosition)) {
            return static_cast<std::uint8_t>(p);
        }
        return kNoKey;
    }
    return kNoKey;
}

}  // namespace orvane
