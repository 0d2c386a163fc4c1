#include <gtest/gtest.h>

#include <vector>

#include "macro/macrostreams.h"
#include "macro_test_support.h"

namespace orvane {
namespace {

using test::streamPrefix;

MacroStreams pairOf(const std::vector<std::uint8_t>& host) {
    MacroRecord record{};
    test::setStreams(record, host);
    MacroStreams s;
    s.host = record.hostEvents;
    s.device = record.deviceEvents;
    return s;
}

// n short presses of A fill 2n bytes.
MacroStreams filled(std::size_t events) {
    std::vector<std::uint8_t> host;
    for (std::size_t i = 0; i < events; ++i) host.insert(host.end(), {0x01, 0x41});
    return pairOf(host);
}

TEST(MacroStreamEdits, RefusedEditsChangeNothing) {
    struct Case {
        const char* what;
        MacroStreams streams;
        bool (*edit)(MacroStreams&);
    };
    const std::vector<Case> cases = {
        {"insert into a full stream", filled(95),
         [](MacroStreams& s) { return insertShortMacroEvent(s, 0, false, 0x04, 0x41); }},
        {"insert inside a long event", pairOf({0x7F, 0x41, 0x01, 0xF4}),
         [](MacroStreams& s) { return insertShortMacroEvent(s, 2, false, 0x04, 0x41); }},
        {"insert past the end", filled(2),
         [](MacroStreams& s) { return insertShortMacroEvent(s, 6, false, 0x04, 0x41); }},
        {"insert host code 0", filled(2),
         [](MacroStreams& s) { return insertShortMacroEvent(s, 0, false, 0x00, 0x00); }},
        {"long pause without room", filled(95),
         [](MacroStreams& s) { return setMacroEventPause(s, 0, 300); }},
        {"pause at a non-boundary", pairOf({0x7F, 0x41, 0x01, 0x41}),
         [](MacroStreams& s) { return setMacroEventPause(s, 2, 5); }},
        {"remove past the end", filled(1),
         [](MacroStreams& s) { return removeMacroEvent(s, 2); }},
        {"append a long event into 2 free bytes", filled(94),
         [](MacroStreams& s) { return appendMacroEvent(s, false, 500, 0x04, 0x41).has_value(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MacroStreams s = c.streams;
        EXPECT_FALSE(c.edit(s));
        EXPECT_EQ(s.host, c.streams.host);
        EXPECT_EQ(s.device, c.streams.device);
    }
}

TEST(MacroStreamEdits, InsertMovesLaterEventsInBothStreams) {
    MacroStreams s = pairOf({0x01, 0x41, 0xFF, 0x41, 0x01, 0xF4});
    ASSERT_TRUE(insertShortMacroEvent(s, 0, false, 0x05, 0x42));
    EXPECT_EQ(streamPrefix(s.host, 10),
              (std::vector<std::uint8_t>{0x01, 0x42, 0x01, 0x41, 0xFF, 0x41, 0x01, 0xF4, 0, 0}));
    EXPECT_EQ(streamPrefix(s.device, 8),
              (std::vector<std::uint8_t>{0x01, 0x05, 0x01, 0x04, 0xFF, 0x04, 0x01, 0xF4}));
}

TEST(MacroStreamEdits, PauseGrowsAndShrinksTheEvent) {
    MacroStreams s = pairOf({0x01, 0x41, 0xE4, 0x41, 0x01, 0x42});  // release after 100 ms
    ASSERT_TRUE(setMacroEventPause(s, 2, 300));
    EXPECT_EQ(streamPrefix(s.host, 8),
              (std::vector<std::uint8_t>{0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42}));
    EXPECT_EQ(s.end(), 8u);
    ASSERT_TRUE(setMacroEventPause(s, 2, 100));
    EXPECT_EQ(streamPrefix(s.host, 8),
              (std::vector<std::uint8_t>{0x01, 0x41, 0xE4, 0x41, 0x01, 0x42, 0, 0}));
    ASSERT_TRUE(setMacroEventPause(s, 2, 70000));  // capped
    EXPECT_EQ(s.host[4], 0xEA);
    EXPECT_EQ(s.host[5], 0x60);
    EXPECT_TRUE(macroStreamsAligned(s));
}

TEST(MacroStreamEdits, NormaliseDropsTheDelayBytesOfALongFirstEvent) {
    // Keeping the delay bytes behind a now-short event would read them as an
    // event of their own (type 0x01, code 0xF4 here).
    MacroStreams s = pairOf({0xFF, 0x41, 0x01, 0xF4, 0x01, 0x42});
    normaliseMacroStreams(s);
    EXPECT_EQ(streamPrefix(s.host, 6),
              (std::vector<std::uint8_t>{0x81, 0x41, 0x01, 0x42, 0, 0}));
    MacroStreams empty;
    normaliseMacroStreams(empty);
    EXPECT_EQ(empty.host[0], 0);  // no stray type byte in an empty stream
}

TEST(MacroStreamEdits, RepairClearsTheTailAndRealignsTheDeviceStream) {
    MacroStreams s = pairOf({0x01, 0x41, 0x81, 0x41});
    s.host[6] = 0x01;  // junk behind the terminator at 4
    s.host[7] = 0x42;
    s.device[2] = 0x85;  // device type differs from host
    s.device[100] = 0x33;
    EXPECT_FALSE(macroStreamsAligned(s));
    repairMacroStreams(s);
    EXPECT_TRUE(macroStreamsAligned(s));
    EXPECT_EQ(streamPrefix(s.device, 4), (std::vector<std::uint8_t>{0x01, 0x04, 0x81, 0x04}));
    EXPECT_EQ(s.host[7], 0);
    EXPECT_EQ(s.device[100], 0);
}

TEST(MacroStreamEdits, AppendChoosesTheFormByPause) {
    struct Case {
        unsigned pause;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {0, {0x81, 0x41}},  // below 1 ms: no pause rather than field 0
        {1, {0x81, 0x41}},
        {126, {0xFE, 0x41}},
        {127, {0xFF, 0x41, 0x00, 0x7F}},
        {500, {0xFF, 0x41, 0x01, 0xF4}},
        {61000, {0xFF, 0x41, 0xEA, 0x60}},
    };
    for (const auto& c : cases) {
        MacroStreams s;
        const auto end = appendMacroEvent(s, true, c.pause, 0x04, 0x41);
        ASSERT_TRUE(end);
        EXPECT_EQ(*end, c.bytes.size());
        EXPECT_EQ(streamPrefix(s.host, c.bytes.size()), c.bytes) << c.pause;
    }
}

}  // namespace
}  // namespace orvane
