#include <gtest/gtest.h>

#include "controls/model/vividtreelayout.h"

namespace orvane {
namespace {

const TreeRect kClient{0, 0, 295, 160};

TEST(VividTreeLayout, OriginsFollowTheScrollBars) {
    struct Case {
        const char* what;
        std::optional<TreeScrollInfo> h, v;
        TreeOrigins origins;
    };
    const Case cases[] = {
        {"no scroll bars", std::nullopt, std::nullopt, {0, 295, 0, 160}},
        {"scrolled down by three items", std::nullopt, TreeScrollInfo{0, 30, 3}, {0, 295, -48, 31 * 17 + 17}},
        {"0..100 counts as no taller than the control", std::nullopt, TreeScrollInfo{0, 100, 0}, {0, 295, 0, 160}},
        {"wide content scrolled right", TreeScrollInfo{0, 499, 40}, std::nullopt, {-40, 500, 0, 160}},
        {"narrow content keeps the client width", TreeScrollInfo{0, 100, 0}, std::nullopt, {0, 295, 0, 160}},
    };
    for (const Case& c : cases) EXPECT_EQ(treeOrigins(kClient, c.h, c.v, 16), c.origins) << c.what;
}

TEST(VividTreeLayout, BackgroundByMode) {
    const TreeOrigins scrolled{0, 295, -48, 600};
    struct Case {
        int mode;
        bool bitmap, tile;
        TreeBackgroundKind kind;
        TreeRect area;
        int columns, rows;
    };
    const Case cases[] = {
        {5, true, false, TreeBackgroundKind::None, {}, 0, 0},
        {2, true, true, TreeBackgroundKind::Solid, kClient, 0, 0},  // uniform whatever the scroll
        {1, true, true, TreeBackgroundKind::Gradient, {0, -48, 295, 552}, 0, 0},
        {0, false, true, TreeBackgroundKind::Gradient, {0, -48, 295, 552}, 0, 0},
        {0, true, false, TreeBackgroundKind::Stretched, {0, -48, 295, 552}, 0, 0},
        {0, true, true, TreeBackgroundKind::Tiled, {0, -48, 295, 552}, 295 / 10 + 1, 600 / 14 + 1},
    };
    for (const Case& c : cases) {
        const TreeBackgroundPlan plan = treeBackground(c.mode, c.bitmap, c.tile, 10, 14, kClient, scrolled);
        EXPECT_EQ(plan.kind, c.kind) << c.mode;
        if (c.kind != TreeBackgroundKind::None) {
            EXPECT_EQ(plan.area, c.area) << c.mode;
        }
        EXPECT_EQ(plan.columns, c.columns);
        EXPECT_EQ(plan.rows, c.rows);
    }
}

TEST(VividTreeLayout, RowsAndMarks) {
    EXPECT_EQ(treeMarkFor(false, true), TreeMark::None);
    EXPECT_EQ(treeMarkFor(true, false), TreeMark::Collapsed);
    EXPECT_EQ(treeMarkFor(true, true), TreeMark::Expanded);
    const TreeOrigins o{0, 295, 0, 160};
    const TreeRowInput group{{19, 32, 60, 48}, true, true, false};
    const TreeRowLayout l = layoutTreeRow(group, false, false, o);
    EXPECT_FALSE(l.highlighted);  // selected, but the tree has no focus
    EXPECT_TRUE(layoutTreeRow(group, true, false, o).highlighted);
    EXPECT_TRUE(layoutTreeRow(group, false, true, o).highlighted);
    EXPECT_EQ(l.band, (TreeRect{0, 32, 295, 48}));
    EXPECT_EQ(l.mark, TreeMark::Collapsed);
    EXPECT_EQ(l.markRect, (TreeRect{15, 36, 24, 45}));
    EXPECT_EQ(l.text, (TreeRect{26, 33, 67, 47}));
    const TreeRowInput leaf{{38, 48, 80, 64}, false, false, false};
    EXPECT_EQ(layoutTreeRow(leaf, true, false, o).mark, TreeMark::None);

    const std::vector<TreeRowInput> inputs{group, leaf};
    const std::vector<TreeRowLayout> rows{l, layoutTreeRow(leaf, true, false, o)};
    EXPECT_EQ(hitTestTree(rows, inputs, 20, 40), (TreeHit{0, true}));
    EXPECT_EQ(hitTestTree(rows, inputs, 200, 40), (TreeHit{0, false}));
    EXPECT_EQ(hitTestTree(rows, inputs, 20, 50), (TreeHit{1, false}));
    EXPECT_EQ(hitTestTree(rows, inputs, 20, 70), (TreeHit{-1, false}));
}

}  // namespace
}  // namespace orvane
