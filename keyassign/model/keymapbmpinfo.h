// The key assignment panel's clickable areas: the region table
// KeyMap_BmpInformation (one rectangle, two images and a state index per
// row), the hit test over it, and the cells of the Advance page.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvane {

// Rows of the region table, and the hit test's "no region".
inline constexpr std::uint8_t kKeyMapClose = 0;
inline constexpr std::uint8_t kKeyMapTabSingle = 1;
inline constexpr std::uint8_t kKeyMapTabMacro = 2;
inline constexpr std::uint8_t kKeyMapTabBasic = 3;
inline constexpr std::uint8_t kKeyMapTabAdvance = 4;
inline constexpr std::uint8_t kKeyMapStrip = 5;
inline constexpr std::uint8_t kKeyMapDisable = 6;
inline constexpr std::uint8_t kKeyMapDefault = 7;
inline constexpr std::uint8_t kKeyMapCancel = 8;
inline constexpr std::uint8_t kKeyMapSave = 9;
inline constexpr std::uint8_t kKeyMapNoRegion = 255;

inline constexpr std::size_t kKeyMapRowCount = 10;
// Row 6 answers this many pixels beyond its rectangle on every side.
inline constexpr int kDisableHitMargin = 5;

struct KeyMapBmpRow {
    int left = 0, top = 0, right = 0, bottom = 0;  // inclusive
    std::array<std::u16string_view, 2> images{};   // by BmpIndex
    std::uint8_t BmpIndex = 0;

    bool contains(int x, int y, int margin = 0) const {
        return x >= left - margin && x <= right + margin && y >= top - margin && y <= bottom + margin;
    }
    std::u16string_view image() const { return images[BmpIndex & 1]; }
};

// Room for 256 rows; the panel uses the first ten.
using KeyMapBmpTable = std::array<KeyMapBmpRow, 256>;

// Every row from its constants again, every BmpIndex back to 0.
void rebuildKeyMapBmpInformation(KeyMapBmpTable& table);

// The region under a point: row 6 first (widened), then rows 0 to 9 in order.
std::uint8_t keyMapHitTest(const KeyMapBmpTable& table, int x, int y);

// Advance page: cell code = 4 * row + column; rows Play Sound, Startup,
// Open File, Open Folder; columns radio mark, label, path box, browse button.
inline constexpr std::uint8_t kNoCell = 255;
inline constexpr int kAdvanceRows = 4;

struct AdvanceCell {
    int left, top, right, bottom;  // inclusive
};
extern const std::array<AdvanceCell, 16> AdvanceCells;

std::uint8_t advanceCellAt(int x, int y);

inline constexpr int advanceColumn(std::uint8_t cell) { return cell % 4; }
inline constexpr int advanceRow(std::uint8_t cell) { return cell / 4; }
// Top of row r's pictures on the Advance page.
inline constexpr int advanceRowTop(int row) { return 68 + 30 * row; }

}  // namespace orvane
