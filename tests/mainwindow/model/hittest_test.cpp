#include <gtest/gtest.h>

#include "mainwindow/model/hittest.h"

namespace orvane {
namespace {

MainWindowState expandedLighting() {
    MainWindowState s;
    s.LightingCollapsed = false;
    return s;
}

TEST(SectionLayout, TopsFollowTheCollapseFlags) {
    struct Case { bool lighting, response; int yM, yG, yT, yP; };
    const Case cases[] = {
        {true, true, 140, 195, 250, 290},
        {true, false, 140, 195, 250, 325},
        {false, true, 335, 390, 445, 485},
        {false, false, 335, 390, 445, 520},
    };
    for (const auto& c : cases) {
        MainWindowState s;
        s.LightingCollapsed = c.lighting;
        s.ResponseTimeCollapsed = c.response;
        const SectionLayout l = computeSectionLayout(s);
        EXPECT_EQ(l.yM, c.yM);
        EXPECT_EQ(l.yG, c.yG);
        EXPECT_EQ(l.yT, c.yT);
        EXPECT_EQ(l.yP, c.yP);
        EXPECT_EQ(l.responseListY, c.yT - 173);
        EXPECT_EQ(l.macroButton.top, c.yM + 10);
    }
}

TEST(KeyAtPoint, EdgesGapsAndTheProtectedKeys) {
    EXPECT_EQ(KeyAtPoint(304, 80, false), kNoKey);  // picture origin
    EXPECT_EQ(KeyAtPoint(328, 192, false), 0);      // Esc, top-left edge included
    EXPECT_EQ(KeyAtPoint(353, 217, false), 0);      // Esc, bottom-right edge included
    EXPECT_EQ(KeyAtPoint(360, 192, false), kNoKey); // between Esc and F1
    // Windows key and Fn: nothing outside the colour view, themselves inside it.
    EXPECT_EQ(KeyAtPoint(304 + 60, 80 + 260, false), kNoKey);
    EXPECT_EQ(KeyAtPoint(304 + 60, 80 + 260, true), 96);
    EXPECT_EQ(KeyAtPoint(304 + 330, 80 + 260, false), kNoKey);
    EXPECT_EQ(KeyAtPoint(304 + 330, 80 + 260, true), 100);
    EXPECT_EQ(KeyAtPoint(304 + 400, 80 + 260, false), 102);  // right Ctrl
    EXPECT_EQ(KeyAtPoint(304 + 610, 80 + 220, false), 61);   // tall keypad +
    EXPECT_EQ(KeyAtPoint(0, 0, true), kNoKey);
}

TEST(HitTestRegion, FixedRowsAndTheirEdges) {
    MainWindowState s;
    EXPECT_EQ(HitTestRegion(936, 5, s, 1), kRegionHelp);
    EXPECT_EQ(HitTestRegion(994, 20, s, 1), kRegionClose);
    EXPECT_EQ(HitTestRegion(995, 20, s, 1), kRegionNone);
    EXPECT_EQ(HitTestRegion(938, 612, s, 1), kRegionSave);
    EXPECT_EQ(HitTestRegion(859, 612, s, 1), kRegionNone);  // between Default and Cancel
    EXPECT_EQ(HitTestRegion(50, 620, s, 1), kRegionProfile);
    EXPECT_EQ(HitTestRegion(100, 50, s, 1), kRegionLogo);
    EXPECT_EQ(HitTestRegion(100, 115, s, 1), kRegionLightingHeader);
    EXPECT_EQ(HitTestRegion(100, 155, s, 1), kRegionMacroButton);  // yM = 140
    EXPECT_EQ(HitTestRegion(100, 295, s, 1), kRegionReportRateHeader);  // yP = 290
}

TEST(HitTestRegion, CollapsedLightingHidesItsRegions) {
    MainWindowState s;  // everything collapsed
    EXPECT_NE(HitTestRegion(30, 230, s, 2), kRegionSwatchFirst);
    EXPECT_NE(HitTestRegion(100, 165, s, 2), kRegionEffectField);
    EXPECT_NE(HitTestRegion(30, 205, s, 2), kRegionDirectionTop);
    // (30, 205) with everything collapsed lies in the game-mode header (yG = 195).
    EXPECT_EQ(HitTestRegion(30, 205, s, 2), kRegionGameModeHeader);
}

TEST(HitTestRegion, KeymapChoiceWinsOverTheTopDirectionOnlyForColourEffects) {
    const MainWindowState s = expandedLighting();
    EXPECT_EQ(HitTestRegion(30, 205, s, 51), kRegionKeymapChoice);
    EXPECT_EQ(HitTestRegion(135, 205, s, 55), kRegionDiyChoice);
    EXPECT_EQ(HitTestRegion(30, 205, s, 3), kRegionDirectionTop);
    EXPECT_EQ(HitTestRegion(135, 205, s, 3), kRegionDirectionRight);
    EXPECT_EQ(HitTestRegion(100, 165, s, 3), kRegionEffectField);
    EXPECT_EQ(HitTestRegion(28, 223, s, 3), kRegionSwatchFirst);
    EXPECT_EQ(HitTestRegion(223, 243, s, 3), kRegionSwatchLast);
    EXPECT_EQ(HitTestRegion(50, 230, s, 3), kRegionNone);  // gap between swatches 1 and 2
}

TEST(HitTestRegion, OptionChoicesOnlyWhileTheirSectionIsExpanded) {
    MainWindowState s;
    const int yG = 195;
    EXPECT_EQ(HitTestRegion(40, yG + 35, s, 1), kRegionNone);
    s.GameModeCollapsed = false;
    EXPECT_EQ(HitTestRegion(40, yG + 35, s, 1), kRegionGameModeOn);
    EXPECT_EQ(HitTestRegion(100, yG + 35, s, 1), kRegionGameModeOff);
    EXPECT_EQ(HitTestRegion(170, yG + 35, s, 1), kRegionWinLockOn);
    EXPECT_EQ(HitTestRegion(230, yG + 35, s, 1), kRegionWinLockOff);
    const int yT = 250;
    EXPECT_EQ(HitTestRegion(100, yT + 30, s, 1), kRegionNone);
    s.ResponseTimeCollapsed = false;
    EXPECT_EQ(HitTestRegion(100, yT + 30, s, 1), kRegionResponseField);
}

}  // namespace
}  // namespace orvane
