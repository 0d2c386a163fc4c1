#include <gtest/gtest.h>

#include "keyboardstate/keylabels.h"

namespace orvane {
namespace {

struct LabelCase {
    std::uint8_t code;
    std::uint8_t usage;
    std::u16string_view label;
};

TEST(KeyLabels, RangesAndSingleEntries) {
    const LabelCase cases[] = {
        // codes without an entry first: nothing to show, no usage
        {0x00, 0x00, u""},   {0x15, 0x00, u""},   {0xFF, 0x00, u""},   {0x2F, 0x00, u""},
        {0x5E, 0x00, u""},   {0x7C, 0x00, u""},   {0xFA, 0x00, u""},
        // mouse actions with usages but no label
        {0xF3, 0xF3, u""},   {0xF4, 0xF4, u""},
        // ranges, including their ends
        {0x41, 0x04, u"A "}, {0x5A, 0x1D, u"Z "}, {0x31, 0x1E, u"1 "}, {0x39, 0x26, u"9 "},
        {0x30, 0x27, u"0"},  {0x70, 0x3A, u"F1 "}, {0x7B, 0x45, u"F12 "},
        {0x60, 0x62, u"0-num "}, {0x61, 0x59, u"1-num "}, {0x69, 0x61, u"9-num "},
        // singles, with the labels that carry no trailing space
        {0x08, 0x2A, u"Back "}, {0x6C, 0x58, u"Enter "}, {0x0D, 0x28, u"Enter "},
        {0xB3, 0xCD, u"Play/Pause"}, {0xB5, 0x83, u"Media "}, {0xAF, 0xE9, u"Volume UP "},
        {0xDC, 0x32, u"\\ "}, {0xF0, 0xF0, u"MsLB"}, {0xF2, 0xF2, u"MsMB"},
        {0xF7, 0xF7, u"Mouse pointer Down"}, {0xF9, 0xF9, u"Mouse Wheel Down"},
        {0xA2, 0xE0, u"LCtrl "}, {0xA5, 0xE6, u"RAlt "}, {0x91, 0x47, u"Scrol "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyUsage(c.code), c.usage) << std::hex << int(c.code);
        EXPECT_TRUE(keyLabel(c.code) == c.label) << std::hex << int(c.code);
    }
}

TEST(KeyLabels, EveryRecordKnowsItsCodeAndBuildingTwiceGivesTheSameTable) {
    KeyLabelTable first{}, second{};
    BuildKeyLabels(first);
    second[0x41].usage = 0x99;  // stale content is overwritten
    BuildKeyLabels(second);
    for (std::size_t v = 0; v < 256; ++v) {
        EXPECT_EQ(first[v].keyCode, v);
        EXPECT_EQ(first[v].usage, second[v].usage);
        EXPECT_EQ(first[v].label, second[v].label);
        EXPECT_EQ(first[v].label.back(), u'\0');
    }
}

}  // namespace
}  // namespace orvane
