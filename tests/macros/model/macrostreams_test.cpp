#include <gtest/gtest.h>

#include <vector>

#include "macros/model/macrostreams.h"
#include "macro_test_support.h"
#include <algorithm>
#include <bitset>
#include <cstring>
#include <memory>
#include <random>
#include "macros/model/macroeditor.h"
#include "macros/model/macrorecorder.h"
#include "macros/model/macrosession.h"

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

// Random event streams, including ones no version of this program writes,
// through the walk, every edit and every display: nothing is read or written
// outside the 190-byte streams and the two streams keep one layout.



namespace orvane {
namespace {

using Stream = std::array<std::uint8_t, kMacroStreamSize>;

// Keys with and without a keyboard code, mouse buttons and code 0.
constexpr std::uint8_t kCodes[] = {0x41, 0x42, 0xA2, 0x0D, 0xF0, 0xF1, 0xF2, 0x15, 0xAF, 0x00};

Stream randomStream(std::mt19937& gen) {
    Stream s{};
    std::uniform_int_distribution<int> byte(0, 255);
    switch (gen() % 5) {
        case 0:  // raw bytes
            for (auto& b : s) b = static_cast<std::uint8_t>(byte(gen));
            break;
        case 1:
            s.fill(0xFF);
            break;
        default: {  // plausible events, cut anywhere, sometimes with code 0 inside
            std::size_t p = 0;
            const std::size_t stop = gen() % 200;
            while (p + 2 <= kMacroStreamSize && p < stop) {
                const bool isLong = gen() % 4 == 0;
                const auto field = static_cast<std::uint8_t>(isLong ? 127 : gen() % 127);
                s[p] = static_cast<std::uint8_t>((gen() % 2 ? 0x80 : 0) | field);
                s[p + 1] = kCodes[gen() % std::size(kCodes)];
                if (isLong && p + 4 <= kMacroStreamSize) {
                    s[p + 2] = static_cast<std::uint8_t>(byte(gen));
                    s[p + 3] = static_cast<std::uint8_t>(byte(gen));
                }
                p += isLong ? 4 : 2;
            }
            break;
        }
    }
    return s;
}

TEST(MacroFuzz, WalkAndDisplayStayInsideAnyStream) {
    std::mt19937 gen(1234);
    for (int round = 0; round < 3000; ++round) {
        const Stream s = randomStream(gen);
        const MacroStreamView v(s);
        const std::size_t end = macroStreamEnd(v);
        ASSERT_LE(end, kMacroStreamSize);
        const std::size_t count = macroItemCount(v);
        ASSERT_EQ(macroDisplayItems(v).size(), count);
        for (std::size_t i = 0; i <= count + 1; ++i) {
            const auto item = macroItemAt(v, i);
            ASSERT_EQ(item.has_value(), i < count);
            if (item) {
                ASSERT_LE(item->event.end(), end);
            }
            if (const auto off = macroOffsetOfItem(v, i)) {
                ASSERT_LE(*off, end);
            }
        }
        ASSERT_EQ(macroOffsetOfItem(v, count), end);
    }
}

TEST(MacroFuzz, RawEditsKeepAnAlignedPairAligned) {
    std::mt19937 gen(99);
    for (int round = 0; round < 500; ++round) {
        MacroStreams s;
        s.host = randomStream(gen);
        s.device = s.host;  // aligned, codes equal
        for (int step = 0; step < 40; ++step) {
            const auto events = macroEvents(s.hostView());
            const std::size_t at = events.empty() ? 0 : events[gen() % events.size()].offset;
            switch (gen() % 5) {
                case 0: insertShortMacroEvent(s, gen() % 2 ? at : s.end(), gen() % 2, 0x04, 0x41); break;
                case 1: removeMacroEvent(s, at); break;
                case 2: setMacroEventPause(s, at, static_cast<unsigned>(gen() % 70000)); break;
                case 3: normaliseMacroStreams(s); break;
                default: appendMacroEvent(s, gen() % 2, static_cast<unsigned>(gen() % 1000), 0x05, 0x42); break;
            }
            ASSERT_TRUE(macroStreamsAligned(s)) << round << "/" << step;
            ASSERT_LE(s.end(), kMacroStreamSize);
        }
    }
}

// Commands as the panel would route them, picked at random.
void randomCommand(std::mt19937& gen, MacroSession& session, MacroEditor& editor,
                   MacroRecorder& recorder, test::FakeClock& clock) {
    const auto items = static_cast<int>(session.events().size());
    if (items > 0 && gen() % 3 == 0) session.events().select(static_cast<int>(gen() % (items + 1)) - 1);
    const std::uint8_t code = kCodes[gen() % std::size(kCodes)];
    switch (gen() % 12) {
        case 0: editor.insertBefore(); break;
        case 1: editor.insertAfter(); break;
        case 2: editor.mouse(static_cast<MouseButton>(0xF0 + gen() % 3),
                             static_cast<MouseAction>(gen() % 3)); break;
        case 3: editor.insertDelay(); break;
        case 4: editor.deleteItem(); break;
        case 5: editor.delayEdited(gen() % (items + 2), static_cast<unsigned>(gen() % 70000)); break;
        case 6: recorder.toggleRecording(); break;
        case 7: session.toggleRecordDelay(); break;
        case 8: session.selectMacro(static_cast<int>(gen() % 3)); break;
        default:
            clock.advanceMs(static_cast<std::int64_t>(gen() % 800));
            recorder.processKey(code, gen() % 2);
            break;
    }
}

TEST(MacroFuzz, EveryCommandKeepsListStreamsAndStoreInStep) {
    std::mt19937 gen(7);
    for (int round = 0; round < 150; ++round) {
        auto saved = std::make_unique<MacroStore>();
        for (std::size_t slot = 0; slot < 3; ++slot) {
            MacroRecord& r = saved->records[slot];
            setFixedText(r.name, u"M" + std::u16string(1, static_cast<char16_t>(u'0' + slot)));
            r.deviceEvents = randomStream(gen);  // layouts may disagree
            r.hostEvents = randomStream(gen);
            r.loopCount = static_cast<std::uint16_t>(gen());
            r.options = static_cast<std::uint8_t>(gen());
            r.reserved = static_cast<std::uint8_t>(gen());
        }
        test::FakeHook hook;
        test::FakeClock clock;
        MacroSession session(round % 2 ? kLanguageChinese : kLanguageEnglish, &hook);
        MacroEditor editor(session);
        MacroRecorder recorder(session, editor, clock);
        session.open(*saved);
        const auto before = std::make_unique<MacroStore>(session.workingStore());

        for (int step = 0; step < 120; ++step) {
            randomCommand(gen, session, editor, recorder, clock);
            const MacroStreams& s = session.buffer().streams;
            ASSERT_TRUE(macroStreamsAligned(s)) << round << "/" << step;
            ASSERT_EQ(session.events().items(), macroDisplayItems(s.hostView()))
                << round << "/" << step;
            ASSERT_EQ(session.buffer().writePosition, s.end());
            for (std::size_t slot = 0; slot < kMacroRecordCount; ++slot) {
                const MacroRecord& now = session.workingStore().records[slot];
                const MacroRecord& was = before->records[slot];
                ASSERT_EQ(now.reserved, was.reserved);
                ASSERT_EQ(std::memcmp(now.name.data(), was.name.data(), sizeof now.name), 0);
                if (slot >= 3) {
                    ASSERT_EQ(std::memcmp(&now, &was, sizeof now), 0) << slot;
                }
            }
        }
        // What was committed is well formed too.
        for (std::size_t slot = 0; slot < 3; ++slot) {
            const MacroRecord& r = session.workingStore().records[slot];
            if (r.hostEvents == before->records[slot].hostEvents) continue;
            MacroStreams committed{r.deviceEvents, r.hostEvents};
            EXPECT_TRUE(macroStreamsAligned(committed));
        }
    }
}

// Whether the events from byte `from` to byte `to` release only keys they
// pressed and leave none held.
bool balanced(const MacroStreams& s, std::size_t from, std::size_t to) {
    std::bitset<256> held;
    for (const MacroEvent& e : macroEvents(s.hostView())) {
        if (e.offset < from || e.offset >= to) continue;
        if (e.released && !held.test(e.code)) return false;
        held.set(e.code, !e.released);
    }
    return held.none();
}

// A hand on the keyboard: presses (a held key pressed again repeats) and
// releases of keys with and without a keyboard code, with pauses.
struct Typist {
    std::mt19937& gen;
    std::vector<std::uint8_t> down;
    void step(MacroRecorder& recorder, test::FakeClock& clock) {
        constexpr std::uint8_t keys[] = {0x41, 0x42, 0x43, 0xA2, 0xA0, 0x15};
        clock.advanceMs(static_cast<std::int64_t>(gen() % 4 == 0 ? gen() % 600 : gen() % 40));
        if (!down.empty() && gen() % 2) {
            const std::size_t i = gen() % down.size();
            recorder.processKey(down[i], true);
            down.erase(down.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
        const std::uint8_t key = keys[gen() % std::size(keys)];
        recorder.processKey(key, false);
        if (std::find(down.begin(), down.end(), key) == down.end()) down.push_back(key);
    }
    void letGo(MacroRecorder& recorder) {
        for (std::uint8_t key : down) recorder.processKey(key, true);
        down.clear();
    }
};

TEST(MacroFuzz, NoRecordingOrInsertionLeavesAKeyHeld) {
    std::mt19937 gen(2024);
    for (int round = 0; round < 300; ++round) {
        auto saved = test::storeWith({{u"M", {}}});
        test::FakeHook hook;
        test::FakeClock clock;
        MacroSession session(kLanguageEnglish, &hook);
        MacroEditor editor(session);
        MacroRecorder recorder(session, editor, clock);
        session.open(*saved);
        if (gen() % 2) session.toggleRecordDelay();
        recorder.toggleRecording();
        Typist typist{gen, {}};
        const int steps = static_cast<int>(gen() % 200);
        for (int i = 0; i < steps; ++i) typist.step(recorder, clock);
        typist.letGo(recorder);
        const MacroStreams& s = session.buffer().streams;
        ASSERT_TRUE(balanced(s, 0, kMacroStreamSize)) << round;
        recorder.toggleRecording();

        // An insertion anywhere, until the keys it took are let go.
        if (session.events().empty()) continue;
        const std::size_t index = gen() % session.events().size();
        session.events().select(static_cast<int>(index));
        const auto item = macroItemAt(s.hostView(), index);
        const bool before = gen() % 2;
        const std::size_t at = before ? item->event.offset : item->event.end();
        before ? editor.insertBefore() : editor.insertAfter();
        const std::size_t oldEnd = s.end();
        for (int i = 0; i < 100 && session.pendingInsertion; ++i) typist.step(recorder, clock);
        typist.letGo(recorder);
        EXPECT_FALSE(session.pendingInsertion) << round;
        ASSERT_TRUE(balanced(s, at, at + s.end() - oldEnd)) << round;
    }
}

}  // namespace
}  // namespace orvane
