#include <gtest/gtest.h>

#include "macros/model/macrobmpinfo.h"

namespace orvane {
namespace {

TEST(MacroRegions, BoundsAreIncludedAndTheFirstRegionWins) {
    const MacroBmpInformation table;
    struct Row { int x, y, region; };
    const Row rows[] = {
        {0, 0, kMacroRegionNone},      {289, 100, kMacroRegionNone}, {290, 100, kMacroRegionRecord},
        {379, 124, kMacroRegionRecord}, {380, 124, kMacroRegionNone}, {379, 125, kMacroRegionNone},
        {368, 168, kMacroRegionRecordDelay}, {382, 182, kMacroRegionRecordDelay},
        {296, 315, kMacroRegionLoops}, {310, 329, kMacroRegionLoops}, {311, 329, kMacroRegionNone},
        {20, 368, kMacroRegionNew},    {77, 392, kMacroRegionNew},   {78, 380, kMacroRegionNone},
        {80, 368, kMacroRegionDelete}, {137, 392, kMacroRegionDelete},
        {280, 400, kMacroRegionOk},    {337, 424, kMacroRegionOk},   {338, 410, kMacroRegionNone},
        {340, 400, kMacroRegionCancel}, {397, 424, kMacroRegionCancel}, {398, 424, kMacroRegionNone},
        {-5, -5, kMacroRegionNone},    {100000, 100000, kMacroRegionNone},
    };
    for (const Row& r : rows) EXPECT_EQ(table.hitTest(r.x, r.y), r.region) << r.x << "," << r.y;
}

TEST(MacroRegions, EachRegionDrawsTheImageOfItsState) {
    MacroBmpInformation table;
    EXPECT_EQ(table[kMacroRegionRecord].image(), u"Record-normal.png");
    EXPECT_EQ(table[kMacroRegionLoops].image(), u"Pane.png");
    EXPECT_EQ(table[kMacroRegionDelete].image(), u"button-new-normal.png");
    table.hover(kMacroRegionRecord);
    EXPECT_EQ(table[kMacroRegionRecord].image(), u"Record-over.png");
    EXPECT_FALSE(table.hover(kMacroRegionRecord));  // unchanged: nothing to redraw
    EXPECT_TRUE(table.hover(kMacroRegionDelete));
    EXPECT_EQ(table[kMacroRegionDelete].image(), u"button-new-over.png");
    EXPECT_EQ(table[kMacroRegionRecord].image(), u"Record-normal.png");
    EXPECT_FALSE(table.hover(kMacroRegionLoops));
    EXPECT_EQ(table.hovered(), kMacroRegionLoops);
    EXPECT_EQ(table[kMacroRegionDelete].state, 1);  // the checkbox takes no button look away
}

}  // namespace
}  // namespace orvane
