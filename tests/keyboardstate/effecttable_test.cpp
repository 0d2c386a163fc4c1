#include <gtest/gtest.h>

#include "keyboardstate/effecttable.h"

namespace orvane {
namespace {

TEST(EffectTable, NumbersNoRowSelectsHaveNoRowAndNoName) {
    for (int effect : {0, 7, 9, 14, 50, 56, 255}) {
        SCOPED_TRACE(effect);
        EXPECT_FALSE(effectRowOf(static_cast<std::uint8_t>(effect)).has_value());
        EXPECT_TRUE(effectNameOf(static_cast<std::uint8_t>(effect), 9).empty());
    }
    EXPECT_TRUE(effectName(16, 9).empty());
    EXPECT_TRUE(effectName(static_cast<std::size_t>(-1), 4).empty());
}

TEST(EffectTable, RowsAndNamesInBothLanguages) {
    struct Row { std::uint8_t effect; std::size_t row; std::u16string_view zh, en; };
    const Row rows[] = {
        {1, 0, u"全亮", u"Static"},   {2, 1, u"呼吸", u"Breathing"},
        {3, 2, u"波浪", u"Wave"},     {8, 6, u"霓虹", u"Spectrum"},
        {10, 7, u"雨滴", u"Raindrop"}, {13, 10, u"雷达", u"Radar"},
        {51, 11, u"DIY1", u"DIY1"},  {55, 15, u"DIY5", u"DIY5"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.effect);
        ASSERT_EQ(effectRowOf(r.effect), r.row);
        EXPECT_EQ(EffectCodeTable[r.row], r.effect);
        EXPECT_EQ(effectNameOf(r.effect, 4), r.zh);
        EXPECT_EQ(effectNameOf(r.effect, 9), r.en);
    }
}

TEST(EffectTable, AnyLanguageOtherThanChineseIsEnglish) {
    EXPECT_EQ(effectName(2, 0), u"Wave");
    EXPECT_EQ(effectName(2, -1), u"Wave");
    EXPECT_EQ(effectName(2, 5), u"Wave");
}

TEST(EffectTable, EveryEffectNumberAppearsOnceInAscendingOrder) {
    for (std::size_t r = 1; r < EffectCodeTable.size(); ++r)
        EXPECT_LT(EffectCodeTable[r - 1], EffectCodeTable[r]) << r;
}

}  // namespace
}  // namespace orvane
