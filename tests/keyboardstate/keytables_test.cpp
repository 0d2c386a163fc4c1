#include <gtest/gtest.h>

#include <set>

#include "keyboardstate/keylabels.h"
#include "keyboardstate/keytables.h"

namespace orvane {
namespace {

struct PositionRow {
    std::size_t position;
    std::uint8_t vk;
    std::size_t slot;
};

TEST(KeyTables, PositionRowsFromAcrossTheKeyboard) {
    const PositionRow rows[] = {
        {0, 0x1B, 5},   {15, 0x13, 101}, {16, 0xAE, 107}, {19, 0xAF, 125}, {20, 0xC0, 4},
        {33, 0x08, 82}, {40, 0x6D, 124}, {42, 0x51, 9},   {54, 0xDC, 81},  {61, 0x6B, 122},
        {62, 0x14, 2},  {74, 0x0D, 80},  {78, 0xA0, 1},   {89, 0xA1, 73},  {94, 0x6C, 120},
        {95, 0xA2, 0},  {96, 0x5B, 6},   {100, 0x5D, 60}, {101, 0x5D, 66}, {107, 0x6E, 114},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(VirtualKeyDefaults[r.position], r.vk) << r.position;
        EXPECT_EQ(KeyPositionEntryMap[r.position], r.slot * 4) << r.position;
        EXPECT_EQ(deviceSlotOfPosition(r.position), r.slot);
    }
}

TEST(KeyTables, EveryPositionHasItsOwnSlotBelow126) {
    std::set<std::size_t> slots;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        EXPECT_EQ(KeyPositionEntryMap[p] % 4, 0u);
        EXPECT_LT(KeyPositionEntryMap[p], 512u);
        slots.insert(deviceSlotOfPosition(p));
    }
    EXPECT_EQ(slots.size(), kKeyPositionCount);
    EXPECT_LT(*slots.rbegin(), 126u);  // every position has a bit in KeyEnableMask
}

TEST(KeyTables, DefaultEntriesAreOwnUsagesExceptTheListedSlots) {
    auto entry = [](std::size_t slot) {
        return std::array<std::uint8_t, 4>{DefaultDeviceKeyTable[4 * slot], DefaultDeviceKeyTable[4 * slot + 1],
                                           DefaultDeviceKeyTable[4 * slot + 2], DefaultDeviceKeyTable[4 * slot + 3]};
    };
    using E = std::array<std::uint8_t, 4>;
    EXPECT_EQ(entry(60), (E{2, 0, 0, 0}));
    EXPECT_EQ(entry(107), (E{3, 0, 0xEA, 0}));
    EXPECT_EQ(entry(113), (E{3, 0, 0x83, 1}));
    EXPECT_EQ(entry(119), (E{3, 0, 0xCD, 0}));
    EXPECT_EQ(entry(125), (E{3, 0, 0xE9, 0}));
    EXPECT_EQ(entry(81), (E{0, 0, 0x31, 0}));
    EXPECT_EQ(entry(11), (E{0, 0, 0x32, 0}));
    EXPECT_EQ(entry(18), (E{0, 0, 0x91, 0}));
    EXPECT_EQ(entry(48), (E{0, 0, 0x90, 0}));
    EXPECT_EQ(entry(79), (E{0, 0, 0x28, 0}));
    EXPECT_EQ(entry(126), (E{0, 0xE0, 0, 0}));
    EXPECT_EQ(entry(127), (E{0, 0xE1, 0, 0}));
    for (std::size_t slot : {24, 36, 42, 67, 72, 74, 85, 86, 92, 97, 98, 108, 121, 123}) {
        EXPECT_EQ(entry(slot), (E{0, 0, 0, 0})) << slot;
    }
    // Every other position: {0, 0, usage of its own key, 0}.
    const std::set<std::size_t> exceptional = {16, 17, 18, 19, 54, 100};
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        if (exceptional.count(p)) continue;
        EXPECT_EQ(entry(deviceSlotOfPosition(p)), (E{0, 0, keyUsage(VirtualKeyDefaults[p]), 0})) << p;
    }
}

TEST(BasicFunctions, NamesMatchWholeStringsInTheCurrentLanguageOnly) {
    const BasicFunction* volUp = findBasicFunctionByName(u"Vol+", kLanguageEnglish);
    ASSERT_NE(volUp, nullptr);
    EXPECT_EQ(volUp->entry, (std::array<std::uint8_t, 4>{3, 0, 0xE9, 0}));
    EXPECT_EQ(findBasicFunctionByName(u"Vol+", kLanguageChinese), nullptr);
    EXPECT_EQ(findBasicFunctionByName(u"音量+", kLanguageChinese), volUp);
    EXPECT_EQ(findBasicFunctionByName(u"Vol", kLanguageEnglish), nullptr);
    EXPECT_EQ(findBasicFunctionByName(u"", kLanguageEnglish), nullptr);
    // Any code other than 4 means English.
    EXPECT_EQ(findBasicFunctionByName(u"Close", 0), &BasicFunctionTable[22]);
}

TEST(BasicFunctions, EntriesNameBackAndGroupsFollowTheTree) {
    const std::array<std::uint8_t, 4> min{0, 0xE2, 0x2C, 0x11};
    const BasicFunction* row = findBasicFunctionByEntry(min);
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(basicFunctionName(*row, kLanguageEnglish) == u"Min");
    EXPECT_TRUE(basicFunctionName(*row, kLanguageChinese) == u"最小化");
    EXPECT_EQ(row->group, BasicFunctionGroup::Windows);
    const std::array<std::uint8_t, 4> none{0, 0xE2, 0x2C, 0x12};
    EXPECT_EQ(findBasicFunctionByEntry(none), nullptr);

    EXPECT_EQ(BasicFunctionTable[0].group, BasicFunctionGroup::TopLevel);
    EXPECT_EQ(BasicFunctionTable[9].group, BasicFunctionGroup::Media);      // Mute
    EXPECT_EQ(BasicFunctionTable[16].group, BasicFunctionGroup::Shortcut);  // Select All
    EXPECT_TRUE(BasicFunctionTable[20].english == u"Task Management");
    EXPECT_EQ(BasicFunctionTable[20].entry, (std::array<std::uint8_t, 4>{0, 0xE0, 0xE2, 0x4C}));
    EXPECT_TRUE(basicFunctionGroupName(BasicFunctionGroup::Shortcut, kLanguageChinese) == u"快捷健");
    EXPECT_TRUE(basicFunctionGroupName(BasicFunctionGroup::Windows, kLanguageChinese) == u"Windows");
}

}  // namespace
}  // namespace orvane
