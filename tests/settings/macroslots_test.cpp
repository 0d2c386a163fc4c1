#include <gtest/gtest.h>

#include <memory>

#include "settings/macroslots.h"

namespace orvane {
namespace {

void name(MacroRecord& r, std::u16string_view text) { ASSERT_TRUE(setFixedText(r.name, text)); }

TEST(MacroSlots, NamedRecordsFillTheirSlotsAndLaterSlotsKeepTheirBytes) {
    auto store = std::make_unique<MacroStore>();
    auto data = std::make_unique<MouseData>();
    data->MacroSlots.fill(0xCC);
    name(store->records[0], u"one");
    name(store->records[1], u"two");
    name(store->records[2], u"three");
    name(store->records[4], u"after a gap");  // never reached
    store->records[1].loopCount = 0x0123;
    store->records[2].deviceEvents[0] = 0x01;
    store->records[2].deviceEvents[1] = 0x04;
    store->records[2].deviceEvents[189] = 0x99;

    EXPECT_EQ(fillMacroSlots(*data, *store), 3u);
    EXPECT_EQ(macroSlot(*data, 1)[0], 0x01);
    EXPECT_EQ(macroSlot(*data, 1)[1], 0x23);
    EXPECT_EQ(macroSlot(*data, 2)[2], 0x01);
    EXPECT_EQ(macroSlot(*data, 2)[3], 0x04);
    EXPECT_EQ(macroSlot(*data, 2)[191], 0x99);
    EXPECT_EQ(macroSlot(*data, 0)[5], 0x00);
    for (std::size_t s = 3; s < 32; ++s) {
        for (auto b : macroSlot(*data, s)) ASSERT_EQ(b, 0xCC) << "slot " << s;
    }
}

TEST(MacroSlots, EmptyFirstNameSendsNothingAndMoreThan32StopAt32) {
    auto store = std::make_unique<MacroStore>();
    auto data = std::make_unique<MouseData>();
    data->MacroSlots.fill(0xCC);
    EXPECT_EQ(fillMacroSlots(*data, *store), 0u);
    EXPECT_EQ(data->MacroSlots[0], 0xCC);

    for (std::size_t i = 0; i < 40; ++i) {
        name(store->records[i], u"m");
        store->records[i].loopCount = static_cast<std::uint16_t>(i);
    }
    EXPECT_EQ(fillMacroSlots(*data, *store), 32u);
    EXPECT_EQ(macroSlot(*data, 31)[1], 31);
    EXPECT_EQ(data->ReportRate, 0);          // nothing outside the slots
    EXPECT_EQ(data->reserved7448, 0);
}

}  // namespace
}  // namespace orvane
