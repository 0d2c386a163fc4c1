#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "controls/vividtree.h"
#include "drawing/resourceimages.h"

namespace orvane {
namespace {

constexpr QRgb kSolid = qRgb(30, 30, 30);

struct TreeFixture {
    VividTree tree;
    QTreeWidgetItem* group;
    QTreeWidgetItem* child;
    QTreeWidgetItem* leaf;
    TreeFixture() {
        tree.resize(295, 160);
        tree.SetBackgroundBitmap(kBitmapTreeBackground);
        tree.SetBackgroundMode(kTreeBackgroundSolid);
        group = new QTreeWidgetItem(&tree, QStringList{QStringLiteral("Media")});
        child = new QTreeWidgetItem(group, QStringList{QStringLiteral("Vol+")});
        leaf = new QTreeWidgetItem(&tree, QStringList{QStringLiteral("Close")});
        tree.show();
    }
    VividTree::VisibleRow row(QTreeWidgetItem* item) const {
        for (const auto& r : tree.visibleRows()) {
            if (r.item == item) return r;
        }
        return {nullptr, {}, {}};
    }
};

// The pixel of the mark's vertical stroke: black only in the plus sign.
QRgb plusStroke(const QImage& image, const TreeRowLayout& l) {
    return image.pixel(l.markRect.left + 4, l.markRect.top + 2);
}

TEST(VividTree, ModeTwoIsUniformAndItemsAreWhite) {
    VividTree empty;
    empty.resize(120, 80);
    empty.SetBackgroundBitmap(kBitmapTreeBackground);
    empty.SetBackgroundMode(kTreeBackgroundSolid);
    const QImage blank = empty.compose();
    for (int y = 0; y < blank.height(); ++y) {
        for (int x = 0; x < blank.width(); ++x) ASSERT_EQ(blank.pixel(x, y), kSolid) << x << "," << y;
    }
    TreeFixture f;
    const QImage image = f.tree.compose();
    const TreeRect text = f.row(f.leaf).layout.text;
    bool white = false;
    for (int y = text.top; y < text.bottom; ++y) {
        for (int x = text.left; x < text.right; ++x) white = white || image.pixel(x, y) == qRgb(255, 255, 255);
    }
    EXPECT_TRUE(white);
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), kSolid);
}

TEST(VividTree, AGroupShowsPlusUntilExpandedThenMinusAndLeavesShowNone) {
    TreeFixture f;
    const VividTree::VisibleRow collapsed = f.row(f.group);
    ASSERT_EQ(collapsed.layout.mark, TreeMark::Collapsed);
    EXPECT_EQ(f.row(f.leaf).layout.mark, TreeMark::None);
    EXPECT_EQ(f.row(f.child).item, nullptr);  // inside the collapsed group
    EXPECT_EQ(plusStroke(f.tree.compose(), collapsed.layout), qRgb(0, 0, 0));

    // A click on the drawn mark expands the group; a click on the text only selects.
    const TreeRect m = collapsed.layout.markRect;
    QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, QPoint(m.left + 4, m.top + 4));
    ASSERT_TRUE(f.group->isExpanded());
    const VividTree::VisibleRow expanded = f.row(f.group);
    EXPECT_EQ(expanded.layout.mark, TreeMark::Expanded);
    EXPECT_EQ(plusStroke(f.tree.compose(), expanded.layout), qRgb(242, 241, 241));
    EXPECT_NE(f.row(f.child).item, nullptr);
    const TreeRect t = f.row(f.leaf).layout.text;
    QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, QPoint(t.left + 2, t.top + 3));
    EXPECT_TRUE(f.leaf->isSelected());
    EXPECT_TRUE(f.group->isExpanded());
}

TEST(VividTree, TheSelectionIsHighlightedOnlyWithTheFocus) {
    TreeFixture f;
    f.leaf->setSelected(true);
    const TreeRect band = f.row(f.leaf).layout.band;
    EXPECT_FALSE(f.row(f.leaf).layout.highlighted);
    EXPECT_EQ(f.tree.compose().pixel(1, band.top + 1), kSolid);
    QApplication::setActiveWindow(&f.tree);
    f.tree.setFocus();
    if (!f.tree.hasFocus()) GTEST_SKIP() << "the platform gives no focus";
    EXPECT_EQ(f.tree.compose().pixel(1, f.row(f.leaf).layout.band.top + 1), qRgb(102, 46, 47));
}

}  // namespace
}  // namespace orvane
