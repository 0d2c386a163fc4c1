// Window-free part of the skinned tree: where the scrolled content lies, how
// the background is drawn in each mode, where one row's highlight band, mark
// and text go, which mark a row shows, and what a point hits.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orvane {

// Inclusive-left, exclusive-right rectangle in client coordinates.
struct TreeRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const TreeRect&) const = default;
};

// A scroll bar as the tree reports it: its range and position, in pixels
// horizontally and in items vertically.
struct TreeScrollInfo {
    int minimum = 0, maximum = 0, position = 0;
};

// The scrolled origin and the size of the drawn content.
struct TreeOrigins {
    int horizontalOrigin = 0, horizontalExtent = 0;
    int verticalOrigin = 0, verticalExtent = 0;
    bool operator==(const TreeOrigins&) const = default;
};

TreeOrigins treeOrigins(const TreeRect& client, std::optional<TreeScrollInfo> horizontal,
                        std::optional<TreeScrollInfo> vertical, int itemHeight);

// Background modes: 0 bitmap, 1 gradient, 2 solid (30, 30, 30).
inline constexpr int kTreeBackgroundBitmap = 0;
inline constexpr int kTreeBackgroundGradient = 1;
inline constexpr int kTreeBackgroundSolid = 2;
inline constexpr std::uint32_t kTreeSolidColour = 0x1E1E1E;
inline constexpr std::uint32_t kTreeHighlightColour = 0x662E2F;

enum class TreeBackgroundKind { None, Tiled, Stretched, Gradient, Solid };

struct TreeBackgroundPlan {
    TreeBackgroundKind kind = TreeBackgroundKind::None;
    TreeRect area;            // where the bitmap or gradient goes; the client for Solid
    int columns = 0, rows = 0;  // copies of a tiled bitmap
};

// What the background of a paint is; an unknown mode draws nothing.
TreeBackgroundPlan treeBackground(int mode, bool hasBitmap, bool tile, int bitmapWidth, int bitmapHeight,
                                  const TreeRect& client, const TreeOrigins& origins);

enum class TreeMark { None, Collapsed, Expanded };

// Groups show the collapsed mark until expanded; leaves show none.
TreeMark treeMarkFor(bool hasChildren, bool expanded);

inline constexpr int kTreeMarkSize = 9;
// The drawn text starts this far right of the platform's text rectangle.
inline constexpr int kTreeTextShift = 7;

struct TreeRowInput {
    TreeRect textRect;  // the platform's rectangle of the item's text
    bool selected = false;
    bool hasChildren = false;
    bool expanded = false;
};

struct TreeRowLayout {
    bool highlighted = false;
    TreeRect band;          // the highlight bar, when highlighted
    TreeMark mark = TreeMark::None;
    TreeRect markRect;      // 9 x 9, when there is a mark
    TreeRect text;          // where the text is drawn
};

// A selected row is highlighted only while the tree has the focus, unless
// the tree always shows its selection.
TreeRowLayout layoutTreeRow(const TreeRowInput& row, bool hasFocus, bool showSelectionAlways,
                            const TreeOrigins& origins);

struct TreeHit {
    int row = -1;         // index into the laid-out rows, -1 for none
    bool onMark = false;  // the point is on the row's expand or collapse mark
    bool operator==(const TreeHit&) const = default;
};

// The row whose band (full width, text top to bottom) holds the point.
TreeHit hitTestTree(const std::vector<TreeRowLayout>& rows, const std::vector<TreeRowInput>& inputs, int x,
                    int y);

}  // namespace orvane
