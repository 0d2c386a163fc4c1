#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "macros/model/macroeditor.h"
#include "macros/model/macrorecorder.h"
#include "macros/model/macrosession.h"
#include "macro_test_support.h"

namespace orvane {
namespace {

using test::streamPrefix;
using Bytes = std::vector<std::uint8_t>;

class Recording : public ::testing::Test {
protected:
    void SetUp() override {
        saved = test::storeWith({{u"Macro_001", {0x01, 0x42, 0x81, 0x42}}});
        session.open(*saved);
    }
    void start(bool withDelay) {
        if (session.recordDelay() != withDelay) session.toggleRecordDelay();
        ASSERT_FALSE(recorder.toggleRecording());
        ASSERT_TRUE(session.recording);
    }
    const MacroRecord& slot0() const { return session.workingStore().records[0]; }

    std::unique_ptr<MacroStore> saved;
    test::FakeHook hook;
    test::FakeClock clock;
    MacroSession session{kLanguageEnglish, &hook};
    MacroEditor editor{session};
    MacroRecorder recorder{session, editor, clock};
};

TEST_F(Recording, WithoutASelectedMacroNothingStarts) {
    MacroSession empty(kLanguageChinese, &hook);
    MacroEditor ed(empty);
    MacroRecorder rec(empty, ed, clock);
    empty.open(MacroStore{});
    const auto message = rec.toggleRecording();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, u"请选择一个宏指令文件录制\n");
    EXPECT_EQ(message->caption, u"宏管理器");
    EXPECT_FALSE(empty.recording);
    EXPECT_EQ(hook.installs, 0);
}

TEST_F(Recording, KeysWithoutTheHookAreNotRecorded) {
    hook.result = false;  // capture unavailable: recording flag set, no events
    start(false);
    EXPECT_EQ(recorder.processKey(0x41, false), KeyEventResult::Ignored);
    EXPECT_EQ(slot0().hostEvents[1], 0);
}

TEST_F(Recording, OneKeyWithoutDelayOptionAndStartEmptiesTheMacro) {
    start(false);
    EXPECT_EQ(slot0().hostEvents[0], 0);  // the old events are gone at once
    clock.advanceMs(300);
    recorder.processKey(0x41, false);
    clock.advanceMs(300);
    recorder.processKey(0x41, true);
    EXPECT_EQ(streamPrefix(slot0().hostEvents, 6), (Bytes{0x01, 0x41, 0x81, 0x41, 0, 0}));
    EXPECT_EQ(streamPrefix(slot0().deviceEvents, 4), (Bytes{0x01, 0x04, 0x81, 0x04}));
    EXPECT_EQ(session.events().items(), (std::vector<std::u16string>{u"A  dn", u"A  up"}));
    EXPECT_EQ(session.events().selection(), 1);
    EXPECT_EQ(fixedText(slot0().name), u"Macro_001");
    ASSERT_FALSE(recorder.toggleRecording());  // stop keeps the events
    EXPECT_EQ(hook.removes, 1);
    EXPECT_EQ(slot0().hostEvents[1], 0x41);
}

TEST_F(Recording, PausesTakeTheShortOrLongForm) {
    struct Case {
        std::int64_t pauseMs;
        Bytes release;
        std::u16string delayItem;
    };
    const Case cases[] = {
        {500, {0xFF, 0x41, 0x01, 0xF4}, u"500 ms"},
        {126, {0xFE, 0x41}, u"126 ms"},
        {127, {0xFF, 0x41, 0x00, 0x7F}, u"127 ms"},
        {61000, {0xFF, 0x41, 0xEA, 0x60}, u"60000 ms"},
        {1, {0x81, 0x41}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pauseMs);
        start(true);
        clock.advanceMs(40);  // the first event never carries a pause
        recorder.processKey(0x41, false);
        clock.advanceMs(c.pauseMs);
        recorder.processKey(0x41, true);
        Bytes expected{0x01, 0x41};
        expected.insert(expected.end(), c.release.begin(), c.release.end());
        EXPECT_EQ(streamPrefix(slot0().hostEvents, expected.size()), expected);
        expected[1] = 0x04;
        expected[3] = 0x04;
        EXPECT_EQ(streamPrefix(slot0().deviceEvents, expected.size()), expected);
        std::vector<std::u16string> items{u"A  dn"};
        if (!c.delayItem.empty()) items.push_back(c.delayItem);
        items.push_back(u"A  up");
        EXPECT_EQ(session.events().items(), items);
        EXPECT_EQ(slot0().options, 1);
        recorder.toggleRecording();
    }
}

TEST_F(Recording, AHeldKeyRecordsOnePressButARepeatAfterAnotherKeyCounts) {
    start(true);
    recorder.processKey(0x41, false);
    for (int i = 0; i < 5; ++i) {
        clock.advanceMs(30);
        EXPECT_EQ(recorder.processKey(0x41, false), KeyEventResult::Dropped);
    }
    clock.advanceMs(30);
    recorder.processKey(0x42, false);  // B pressed 180 ms after A
    clock.advanceMs(10);
    recorder.processKey(0x41, false);  // A repeats again after B
    EXPECT_EQ(streamPrefix(slot0().hostEvents, 8),
              (Bytes{0x01, 0x41, 0x7F, 0x42, 0x00, 0xB4, 0x0A, 0x41}));
}

TEST_F(Recording, KeysWithoutKeyboardCodeAreSkipped) {
    start(false);
    EXPECT_EQ(recorder.processKey(0x15, false), KeyEventResult::Ignored);
    EXPECT_EQ(slot0().hostEvents[1], 0);
    EXPECT_TRUE(session.events().empty());
}

TEST_F(Recording, AFullMacroRefusesPressesButTakesTheRelease) {
    start(true);
    // 92 presses and releases of alternating keys, one release 200 ms late:
    // 186 bytes, no key left held.
    for (int i = 0; i < 92; ++i) {
        const std::uint8_t key = i % 2 ? 0x41 : 0x42;
        if (i == 2) clock.advanceMs(200);
        ASSERT_EQ(recorder.processKey(key, i % 4 >= 2), KeyEventResult::Recorded) << i;
    }
    ASSERT_EQ(session.buffer().streams.end(), 186u);
    clock.advanceMs(1);
    ASSERT_EQ(recorder.processKey(0x43, false), KeyEventResult::Recorded);  // 188: room for its release
    clock.advanceMs(500);
    EXPECT_EQ(recorder.processKey(0x44, false), KeyEventResult::StreamFull);
    clock.advanceMs(500);  // the release's pause does not fit: stored without one
    EXPECT_EQ(recorder.processKey(0x43, true), KeyEventResult::Recorded);
    EXPECT_EQ(slot0().hostEvents[188], 0x81);
    EXPECT_EQ(slot0().hostEvents[189], 0x43);
    EXPECT_EQ(recorder.processKey(0x43, false), KeyEventResult::StreamFull);
    EXPECT_EQ(session.buffer().writePosition, 190);
    EXPECT_EQ(session.events().items(), macroDisplayItems(MacroStreamView(slot0().hostEvents)));
}

constexpr std::uint8_t kCtrl = 0xA2;
constexpr std::uint8_t kC = 0x43;

// Hold Ctrl, press C, release C, release Ctrl, with a given room left.
TEST_F(Recording, NearAFullMacroEveryRecordedPressKeepsItsRelease) {
    using R = KeyEventResult;
    struct Case {
        const char* name;
        bool withDelay;
        std::size_t room;
        std::array<std::int64_t, 4> pausesMs;
        std::array<R, 4> results;
        Bytes tail;  // what lands behind the filler
    };
    const Case cases[] = {
        {"two events short, no delays", false, 4, {20, 20, 20, 20},
         {R::Recorded, R::StreamFull, R::Dropped, R::Recorded}, {0x01, kCtrl, 0x81, kCtrl}},
        {"two events short, short pauses", true, 4, {20, 20, 20, 20},
         {R::Recorded, R::StreamFull, R::Dropped, R::Recorded}, {0x14, kCtrl, 0x94, kCtrl}},
        {"a long pause leaves no room for the press and its release", true, 4, {300, 300, 300, 300},
         {R::StreamFull, R::StreamFull, R::Dropped, R::Dropped}, {}},
        {"a release gives up its pause for the other held key's release", true, 8,
         {20, 20, 500, 500}, {R::Recorded, R::Recorded, R::Recorded, R::Recorded},
         {0x14, kCtrl, 0x14, kC, 0x81, kC, 0x81, kCtrl}},
        {"with room the pauses stay", true, 12, {20, 20, 500, 500},
         {R::Recorded, R::Recorded, R::Recorded, R::Recorded},
         {0x14, kCtrl, 0x14, kC, 0xFF, kC, 0x01, 0xF4, 0xFF, kCtrl, 0x01, 0xF4}},
    };
    const std::pair<std::uint8_t, bool> keys[] = {
        {kCtrl, false}, {kC, false}, {kC, true}, {kCtrl, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start(true);
        // Filler of A and B pairs, nothing held; a late release makes up 2 bytes.
        const std::size_t filler = kMacroStreamSize - c.room;
        for (std::size_t bytes = 0; bytes < filler;) {
            const bool longRelease = filler - bytes == 6;
            recorder.processKey(0x41, false);
            if (longRelease) clock.advanceMs(200);
            recorder.processKey(0x41, true);
            bytes += longRelease ? 6 : 4;
        }
        ASSERT_EQ(session.buffer().streams.end(), filler);
        if (!c.withDelay) session.toggleRecordDelay();
        for (std::size_t i = 0; i < 4; ++i) {
            clock.advanceMs(c.pausesMs[i]);
            EXPECT_EQ(recorder.processKey(keys[i].first, keys[i].second), c.results[i]) << i;
        }
        const std::size_t end = filler + c.tail.size();
        EXPECT_EQ(session.buffer().streams.end(), end);
        EXPECT_EQ(Bytes(slot0().hostEvents.begin() + static_cast<std::ptrdiff_t>(filler),
                        slot0().hostEvents.begin() + static_cast<std::ptrdiff_t>(end)),
                  c.tail);
        EXPECT_EQ(session.events().items(), macroDisplayItems(MacroStreamView(slot0().hostEvents)));
        recorder.toggleRecording();
    }
}

TEST_F(Recording, EditingWhileAKeyIsHeldLeavesRoomForItsRelease) {
    start(false);
    for (int i = 0; i < 46; ++i) {  // 184 bytes
        recorder.processKey(0x41, false);
        recorder.processKey(0x41, true);
    }
    ASSERT_EQ(recorder.processKey(kCtrl, false), KeyEventResult::Recorded);  // 186, Ctrl held
    EXPECT_EQ(editor.mouse(MouseButton::Left, MouseAction::Up).result, MacroEditResult::Done);
    EXPECT_EQ(editor.mouse(MouseButton::Left, MouseAction::Up).result, MacroEditResult::StreamFull);
    EXPECT_EQ(recorder.processKey(kCtrl, true), KeyEventResult::Recorded);
    EXPECT_EQ(slot0().hostEvents[188], 0x81);
    EXPECT_EQ(slot0().hostEvents[189], kCtrl);
}

TEST_F(Recording, StoppingReleasesTheKeysItHeld) {
    // The room kept for the held Ctrl takes its release, and nothing is set
    // aside after the hook is gone.
    start(false);
    for (int i = 0; i < 46; ++i) {  // 184 bytes
        recorder.processKey(0x41, false);
        recorder.processKey(0x41, true);
    }
    recorder.processKey(kCtrl, false);  // 186
    recorder.toggleRecording();
    EXPECT_EQ(session.buffer().streams.end(), 188u);
    EXPECT_EQ(slot0().hostEvents[186], 0x81);
    EXPECT_EQ(slot0().hostEvents[187], kCtrl);
    EXPECT_EQ(session.events().items().back(), keyItemText(kCtrl, true));
    EXPECT_EQ(recorder.processKey(kCtrl, true), KeyEventResult::Ignored);
    EXPECT_EQ(session.buffer().streams.end(), 188u);
}

TEST_F(Recording, SelectingAnotherMacroKeepsRecordingAtItsEnd) {
    saved = test::storeWith({{u"A", {}}, {u"B", {0x01, 0x42, 0x81, 0x42}}});
    session.open(*saved);
    start(false);
    session.selectMacro(1);
    recorder.processKey(0x43, false);
    EXPECT_EQ(streamPrefix(session.workingStore().records[1].hostEvents, 6),
              (Bytes{0x01, 0x42, 0x81, 0x42, 0x01, 0x43}));
}

}  // namespace
}  // namespace orvane
