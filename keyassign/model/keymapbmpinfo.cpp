#include "keyassign/model/keymapbmpinfo.h"

namespace orvane {

namespace {

const std::array<KeyMapBmpRow, kKeyMapRowCount> kRows = {{
    {303, 2, 318, 17, {u"button-close-normal.png", u"button-close-over.png"}, 0},
    {0, 31, 81, 57, {u"large_button.png", u"large_button.png"}, 0},
    {81, 31, 162, 57, {u"large_button.png", u"large_button.png"}, 0},
    {162, 31, 243, 57, {u"large_button.png", u"large_button.png"}, 0},
    {243, 31, 324, 57, {u"large_button.png", u"large_button.png"}, 0},
    {0, 30, 325, 36, {u"single_combine_option.png", u"single_combine_option.png"}, 0},
    {19, 251, 29, 260, {u"Disable.png", u"Enable.png"}, 0},
    {156, 246, 197, 268, {u"button-cancel-normal.png", u"button-cancel-over.png"}, 0},
    {210, 246, 251, 268, {u"button-cancel-normal.png", u"button-cancel-over.png"}, 0},
    {264, 246, 305, 268, {u"button-save-normal.png", u"button-save-over.png"}, 0},
}};

}  // namespace

const std::array<AdvanceCell, 16> AdvanceCells = {{
    {15, 72, 25, 81}, {30, 69, 72, 84}, {83, 68, 243, 83}, {256, 68, 302, 83},
    {15, 102, 25, 111}, {30, 99, 72, 114}, {83, 98, 243, 113}, {256, 98, 302, 113},
    {15, 132, 25, 141}, {30, 129, 72, 144}, {83, 128, 243, 143}, {256, 128, 302, 143},
    {15, 162, 25, 171}, {30, 159, 72, 174}, {83, 158, 243, 173}, {256, 158, 302, 173},
}};

void rebuildKeyMapBmpInformation(KeyMapBmpTable& table) {
    table.fill(KeyMapBmpRow{});
    for (std::size_t i = 0; i < kRows.size(); ++i) table[i] = kRows[i];
}

std::uint8_t keyMapHitTest(const KeyMapBmpTable& table, int x, int y) {
    // The check box is small: it takes clicks a little outside its picture too.
    if (table[kKeyMapDisable].contains(x, y, kDisableHitMargin)) return kKeyMapDisable;
    for (std::size_t i = 0; i < kKeyMapRowCount; ++i) {
        if (table[i].contains(x, y)) return static_cast<std::uint8_t>(i);
    }
    return kKeyMapNoRegion;
}

std::uint8_t advanceCellAt(int x, int y) {
    for (std::size_t i = 0; i < AdvanceCells.size(); ++i) {
        const AdvanceCell& c = AdvanceCells[i];
        if (x >= c.left && x <= c.right && y >= c.top && y <= c.bottom) return static_cast<std::uint8_t>(i);
    }
    return kNoCell;
}

}  // namespace orvane
