#include "controls/model/vividtreelayout.h"

#include <algorithm>

namespace orvane {

TreeOrigins treeOrigins(const TreeRect& client, std::optional<TreeScrollInfo> horizontal,
                        std::optional<TreeScrollInfo> vertical, int itemHeight) {
    TreeOrigins o;
    if (horizontal) {
        o.horizontalOrigin = -horizontal->position;
        o.horizontalExtent = std::max(client.width(), horizontal->maximum + 1);
    } else {
        o.horizontalOrigin = client.left;
        o.horizontalExtent = client.width();
    }
    if (vertical) {
        // The platform reports 0..100 for a tree that does not scroll at all.
        const int maximum = (vertical->minimum == 0 && vertical->maximum == 100) ? 0 : vertical->maximum;
        o.verticalOrigin = -vertical->position * itemHeight;
        o.verticalExtent = std::max(client.height(), (maximum + 2) * (itemHeight + 1));
    } else {
        o.verticalOrigin = client.top;
        o.verticalExtent = client.height();
    }
    return o;
}

TreeBackgroundPlan treeBackground(int mode, bool hasBitmap, bool tile, int bitmapWidth, int bitmapHeight,
                                  const TreeRect& client, const TreeOrigins& origins) {
    TreeBackgroundPlan plan;
    const TreeRect content{origins.horizontalOrigin, origins.verticalOrigin,
                           origins.horizontalOrigin + origins.horizontalExtent,
                           origins.verticalOrigin + origins.verticalExtent};
    const bool usableBitmap = hasBitmap && bitmapWidth > 0 && bitmapHeight > 0;
    if (mode == kTreeBackgroundBitmap && usableBitmap) {
        plan.area = content;
        if (tile) {
            plan.kind = TreeBackgroundKind::Tiled;
            plan.columns = origins.horizontalExtent / bitmapWidth + 1;
            plan.rows = origins.verticalExtent / bitmapHeight + 1;
        } else {
            plan.kind = TreeBackgroundKind::Stretched;
        }
    } else if (mode == kTreeBackgroundBitmap || mode == kTreeBackgroundGradient) {
        plan.kind = TreeBackgroundKind::Gradient;
        plan.area = content;
    } else if (mode == kTreeBackgroundSolid) {
        plan.kind = TreeBackgroundKind::Solid;
        plan.area = client;
    }
    return plan;
}

TreeMark treeMarkFor(bool hasChildren, bool expanded) {
    if (!hasChildren) return TreeMark::None;
    return expanded ? TreeMark::Expanded : TreeMark::Collapsed;
}

TreeRowLayout layoutTreeRow(const TreeRowInput& row, bool hasFocus, bool showSelectionAlways,
                            const TreeOrigins& origins) {
    TreeRowLayout out;
    TreeRect r = row.textRect;
    r.left += kTreeTextShift;
    r.right += kTreeTextShift;
    out.highlighted = row.selected && (hasFocus || showSelectionAlways);
    out.band = {0, r.top, origins.horizontalOrigin + origins.horizontalExtent, r.bottom};
    out.mark = treeMarkFor(row.hasChildren, row.expanded);
    if (out.mark != TreeMark::None) {
        const int left = r.left - kTreeMarkSize - 2;
        out.markRect = {left, r.top + 4, left + kTreeMarkSize, r.top + 4 + kTreeMarkSize};
    }
    out.text = {r.left, r.top + 1, r.right, r.bottom - 1};
    return out;
}

TreeHit hitTestTree(const std::vector<TreeRowLayout>& rows, const std::vector<TreeRowInput>& inputs, int x,
                    int y) {
    const std::size_t n = std::min(rows.size(), inputs.size());
    for (std::size_t i = 0; i < n; ++i) {
        const TreeRect& text = inputs[i].textRect;
        if (y < text.top || y >= text.bottom) continue;
        TreeHit hit{static_cast<int>(i), false};
        if (rows[i].mark != TreeMark::None) hit.onMark = rows[i].markRect.contains(x, y);
        return hit;
    }
    return {};
}

}  // namespace orvane
