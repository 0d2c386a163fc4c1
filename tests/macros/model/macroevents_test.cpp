#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "macros/model/macroevents.h"
#include "macros/model/performanceclock.h"

namespace orvane {
namespace {

using Stream = std::array<std::uint8_t, kMacroStreamSize>;

Stream streamOf(const std::vector<std::uint8_t>& bytes, std::uint8_t fill = 0) {
    Stream s;
    s.fill(fill);
    for (std::size_t i = 0; i < bytes.size(); ++i) s[i] = bytes[i];
    return s;
}

struct WalkCase {
    const char* what;
    Stream stream;
    std::size_t end;
    std::vector<std::u16string> items;
};

TEST(MacroWalk, EndsAndItemsFollowTheCodeBytes) {
    Stream tornLong = streamOf({});
    for (std::size_t p = 0; p < 188; p += 2) {  // short events up to 188
        tornLong[p] = 0x01;
        tornLong[p + 1] = 0x41;
    }
    tornLong[188] = 0x7F;  // a long event at 188 would need bytes 190 and 191
    tornLong[189] = 0x41;

    Stream lastByte = streamOf({}, 0x01);  // 95 short events of code 0x01, none past 190
    const std::vector<WalkCase> cases = {
        // invalid and odd inputs first
        {"all zero", streamOf({}), 0, {}},
        {"code byte 0 ends the stream", streamOf({0x01, 0x41, 0x81, 0x00, 0x81, 0x41}), 2,
         {u"A  dn"}},
        {"all 0xFF: long events, the torn last one dropped", streamOf({}, 0xFF), 188, {}},
        {"a torn long event at the end", tornLong, 188, {}},
        {"every byte 0x01", lastByte, 190, {}},
        {"delay field 0 has no delay item", streamOf({0x00, 0x41}), 2, {u"A  dn"}},
        // well-formed streams
        {"press and release", streamOf({0x01, 0x41, 0x81, 0x41}), 4, {u"A  dn", u"A  up"}},
        {"release first with a pause", streamOf({0x85, 0x41}), 2, {u"5 ms", u"A  up"}},
        {"long event with a small pause", streamOf({0x01, 0x41, 0xFF, 0x41, 0x00, 0xC8}), 6,
         {u"A  dn", u"200 ms", u"A  up"}},
        {"mouse buttons", streamOf({0x01, 0xF0, 0x81, 0xF0}), 4, {u"MsLB dn", u"MsLB up"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(macroStreamEnd(MacroStreamView(c.stream)), c.end);
        const auto items = macroDisplayItems(MacroStreamView(c.stream));
        if (!c.items.empty()) {
            EXPECT_EQ(items, c.items);
        }
        EXPECT_EQ(items.size(), macroItemCount(MacroStreamView(c.stream)));
    }
}

TEST(MacroWalk, AllFFStreamIsLongEventsWithFullPause) {
    const Stream s = streamOf({}, 0xFF);
    const auto events = macroEvents(MacroStreamView(s));
    ASSERT_EQ(events.size(), 47u);
    EXPECT_EQ(events[0].pauseMs, 0xFFFFu);
    EXPECT_TRUE(events[0].released);
    EXPECT_EQ(macroDisplayItems(MacroStreamView(s))[0], u"65535 ms");
}

TEST(MacroWalk, ItemLookupFindsEventsAndStarts) {
    // A dn, (300 ms) A up, (5 ms) B dn
    const Stream s = streamOf({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x05, 0x42});
    const MacroStreamView v(s);
    ASSERT_EQ(macroItemCount(v), 5u);
    const auto delay = macroItemAt(v, 1);
    ASSERT_TRUE(delay);
    EXPECT_TRUE(delay->isDelayItem);
    EXPECT_EQ(delay->event.offset, 2u);
    EXPECT_EQ(delay->firstItem, 1u);
    EXPECT_EQ(delay->endItem(), 3u);
    const auto key = macroItemAt(v, 2);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->isDelayItem);
    EXPECT_EQ(key->event.offset, 2u);
    EXPECT_FALSE(macroItemAt(v, 5));

    EXPECT_EQ(macroOffsetOfItem(v, 0), 0u);
    EXPECT_EQ(macroOffsetOfItem(v, 1), 2u);
    EXPECT_FALSE(macroOffsetOfItem(v, 2));  // a key item behind its delay item
    EXPECT_EQ(macroOffsetOfItem(v, 3), 6u);
    EXPECT_EQ(macroOffsetOfItem(v, 5), 8u);  // the stream end
    EXPECT_FALSE(macroOffsetOfItem(v, 6));
}

TEST(PauseMeasurement, TruncatesCapsAndNeverOverflows) {
    struct Case {
        std::int64_t ticks, freq;
        unsigned ms;
    };
    const Case cases[] = {
        {-5, 1000, 0},
        {100, 0, 0},
        {0, 3'579'545, 0},
        {1'259'999, 10'000'000, 125},   // 125.9999 ms truncates
        {1'260'000, 10'000'000, 126},
        {1'270'000, 10'000'000, 127},
        {599'999'999, 10'000'000, 59999},
        {610'000'000, 10'000'000, 60000},          // 61 s capped
        {INT64_MAX / 2, 1'000'000'000, 60000},     // hours: capped, no overflow
        {INT64_MAX, 3, 60000},
        {1'500'000'001, 3'000'000'000, 500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ticksToPauseMs(c.ticks, c.freq), c.ms) << c.ticks << " / " << c.freq;
    }
}

TEST(MacroItemText, DelayItemsAreToldByTheirText) {
    EXPECT_EQ(delayItemText(500), u"500 ms");
    EXPECT_TRUE(isDelayItemText(u"500 ms"));
    EXPECT_FALSE(isDelayItemText(keyItemText(0x41, false)));
    EXPECT_EQ(keyItemText(0xA2, true), u"LCtrl  up");
    EXPECT_EQ(keyItemText(0x15, false), u" dn");  // a key without label
}

}  // namespace
}  // namespace orvane
