#include "controls/model/bititemgeometry.h"

namespace orvane {

std::optional<BitItemGeometry> BitItemGeometry::make(int bitmapWidth, int bitmapHeight,
                                                     int itemWidth, int itemHeight) {
    if (bitmapWidth < 1 || bitmapHeight < 1 || itemWidth < 0 || itemHeight < 0) return std::nullopt;
    BitItemGeometry g;
    g.bitmapWidth = bitmapWidth;
    g.bitmapHeight = bitmapHeight;
    g.itemWidth = itemWidth == 0 ? bitmapWidth : itemWidth;
    g.itemHeight = itemHeight == 0 ? bitmapHeight : itemHeight;
    g.vertical = bitmapWidth < bitmapHeight;
    g.count = g.vertical ? bitmapHeight / g.itemHeight : bitmapWidth / g.itemWidth;
    // An item larger than the bitmap across the strip could not be drawn whole.
    if (g.count < 1) return std::nullopt;
    if (g.vertical ? g.itemWidth > bitmapWidth : g.itemHeight > bitmapHeight) return std::nullopt;
    return g;
}

ItemRect BitItemGeometry::itemRect(int n) const {
    if (n < 0 || n >= count) return {};
    if (vertical) return {0, n * itemHeight, itemWidth, (n + 1) * itemHeight};
    return {n * itemWidth, 0, (n + 1) * itemWidth, itemHeight};
}

int bitWndStateOnHover(int itemCount, bool pressed) {
    if (pressed) return kBitWndPressed;
    return itemCount > 1 ? kBitWndHover : kBitWndNormal;
}

int bitWndStateOnLeave(int itemCount, bool pressed) {
    if (itemCount < 2) return kBitWndNormal;
    return pressed ? kBitWndPressed : kBitWndNormal;
}

int bitWndStateOnPress(int itemCount, bool pressed) {
    if (pressed) return kBitWndNormal;
    return itemCount >= 3 ? kBitWndPressed : kBitWndNormal;
}

std::optional<int> bitWndStateOnRelease(int itemCount, bool pressed) {
    if (pressed) return std::nullopt;
    return itemCount > 1 ? kBitWndHover : kBitWndNormal;
}

}  // namespace orvane
