// Window-free part of the bitmap item strip and the bitmap window: how one
// bitmap is cut into equal item images, and which item the window shows as
// the pointer hovers, leaves, presses and releases.
#pragma once

#include <optional>

namespace orvane {

struct ItemRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct BitItemGeometry {
    int bitmapWidth = 0, bitmapHeight = 0;
    int itemWidth = 0, itemHeight = 0;
    bool vertical = false;  // items stacked downward: the bitmap is taller than wide
    int count = 0;

    // The strip of a bitmap cut into items of the given size (0 = the whole
    // bitmap's width or height). nullopt for a bitmap smaller than 1 x 1, a
    // negative or oversized item, or a strip without a single whole item.
    static std::optional<BitItemGeometry> make(int bitmapWidth, int bitmapHeight, int itemWidth,
                                               int itemHeight);

    // Rectangle of item n; an empty rectangle for n outside 0..count-1.
    ItemRect itemRect(int n) const;
};

// The item the bitmap window shows: 0 normal, 1 hover, 2 pressed.
enum BitWndState : int { kBitWndNormal = 0, kBitWndHover = 1, kBitWndPressed = 2 };

int bitWndStateOnHover(int itemCount, bool pressed);
int bitWndStateOnLeave(int itemCount, bool pressed);
int bitWndStateOnPress(int itemCount, bool pressed);
// The state after a release; nullopt while pressed (the state is kept).
std::optional<int> bitWndStateOnRelease(int itemCount, bool pressed);

}  // namespace orvane
