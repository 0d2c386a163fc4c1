#include <gtest/gtest.h>

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
using Items = std::vector<std::u16string>;

class Editing : public ::testing::Test {
protected:
    void load(const Bytes& host) {
        saved = test::storeWith({{u"Macro_001", host}});
        session.open(*saved);
    }
    const MacroRecord& slot0() const { return session.workingStore().records[0]; }
    Bytes host(std::size_t n) const { return streamPrefix(slot0().hostEvents, n); }
    Bytes device(std::size_t n) const { return streamPrefix(slot0().deviceEvents, n); }

    std::unique_ptr<MacroStore> saved;
    test::FakeHook hook;
    test::FakeClock clock;
    MacroSession session{kLanguageEnglish, &hook};
    MacroEditor editor{session};
    MacroRecorder recorder{session, editor, clock};
};

// A dn, (500 ms) A up
const Bytes kPressDelayedRelease{0x01, 0x41, 0xFF, 0x41, 0x01, 0xF4};

TEST_F(Editing, CommandsWithoutASelectedItemDoNothing) {
    load({});
    using Command = MacroEditOutcome (MacroEditor::*)();
    for (Command command : {&MacroEditor::insertBefore, &MacroEditor::insertAfter,
                            &MacroEditor::insertDelay, &MacroEditor::deleteItem}) {
        EXPECT_EQ((editor.*command)().result, MacroEditResult::Ignored);
    }
    EXPECT_EQ(editor.mouse(MouseButton::Left, MouseAction::Click).result, MacroEditResult::Ignored);
    EXPECT_FALSE(session.pendingInsertion);
    EXPECT_EQ(hook.installs, 0);
    EXPECT_EQ(host(2), (Bytes{0, 0}));
}

TEST_F(Editing, InsertBeforeADelayedEventGoesBeforeItsDelayItem) {
    load(kPressDelayedRelease);
    session.events().select(2);  // "A  up", behind "500 ms"
    ASSERT_EQ(editor.insertBefore().result, MacroEditResult::Done);
    EXPECT_EQ(session.pendingIndex, 1);
    EXPECT_TRUE(session.hookInstalled());
    EXPECT_EQ(recorder.processKey(0x42, false), KeyEventResult::Inserted);
    EXPECT_EQ(recorder.processKey(0x42, true), KeyEventResult::Inserted);
    EXPECT_FALSE(session.pendingInsertion);
    EXPECT_FALSE(session.hookInstalled());
    EXPECT_EQ(session.events().items(),
              (Items{u"A  dn", u"B  dn", u"B  up", u"500 ms", u"A  up"}));
    EXPECT_EQ(host(10), (Bytes{0x01, 0x41, 0x01, 0x42, 0x81, 0x42, 0xFF, 0x41, 0x01, 0xF4}));
    EXPECT_EQ(device(10), (Bytes{0x01, 0x04, 0x01, 0x05, 0x81, 0x05, 0xFF, 0x04, 0x01, 0xF4}));
}

TEST_F(Editing, InsertAfterTheLastItemAppendsAndRecordingFollowsTheNewEnd) {
    load({0x01, 0x41, 0x81, 0x41});
    session.events().select(1);
    editor.insertAfter();
    EXPECT_EQ(session.pendingIndex, 2);
    recorder.processKey(0x43, false);
    recorder.processKey(0x43, false);  // repeats are each inserted
    recorder.processKey(0x43, true);
    EXPECT_EQ(host(10), (Bytes{0x01, 0x41, 0x81, 0x41, 0x01, 0x43, 0x01, 0x43, 0x81, 0x43}));
    EXPECT_EQ(session.buffer().writePosition, 10);
}

TEST_F(Editing, MouseClickAfterTheLastItem) {
    load({0x01, 0x41, 0x81, 0x41});
    session.events().select(1);
    ASSERT_EQ(editor.mouse(MouseButton::Left, MouseAction::Click).result, MacroEditResult::Done);
    EXPECT_EQ(host(8), (Bytes{0x01, 0x41, 0x81, 0x41, 0x01, 0xF0, 0x81, 0xF0}));
    EXPECT_EQ(device(8), (Bytes{0x01, 0x04, 0x81, 0x04, 0x01, 0xF0, 0x81, 0xF0}));
    EXPECT_EQ(session.events().items(), (Items{u"A  dn", u"A  up", u"MsLB dn", u"MsLB up"}));
    EXPECT_EQ(session.events().selection(), 1);
}

TEST_F(Editing, MouseDownGoesBehindTheWholeSelectedEvent) {
    load(kPressDelayedRelease);
    session.events().select(1);  // the delay item of "A up"
    editor.mouse(MouseButton::Middle, MouseAction::Down);
    EXPECT_EQ(host(8), (Bytes{0x01, 0x41, 0xFF, 0x41, 0x01, 0xF4, 0x01, 0xF2}));
}

TEST_F(Editing, DeleteADelayItemShortensTheEvent) {
    load(kPressDelayedRelease);
    session.events().select(1);
    ASSERT_EQ(editor.deleteItem().result, MacroEditResult::Done);
    EXPECT_EQ(host(6), (Bytes{0x01, 0x41, 0x81, 0x41, 0, 0}));
    EXPECT_EQ(device(6), (Bytes{0x01, 0x04, 0x81, 0x04, 0, 0}));
    EXPECT_EQ(session.events().items(), (Items{u"A  dn", u"A  up"}));
}

TEST_F(Editing, DeleteTheFirstEventLeavesAWellFormedStream) {
    // Deleting "A dn" moves the long event to the front; it must lose its
    // pause bytes along with its pause.
    load(kPressDelayedRelease);
    session.events().select(0);
    editor.deleteItem();
    EXPECT_EQ(host(4), (Bytes{0x81, 0x41, 0, 0}));
    EXPECT_EQ(session.events().items(), (Items{u"A  up"}));
}

TEST_F(Editing, DelayEditGrowsAndShrinksTheEvent) {
    load({0x01, 0x41, 0xE4, 0x41});  // A dn, (100 ms) A up
    ASSERT_EQ(editor.delayEdited(1, 300).result, MacroEditResult::Done);
    EXPECT_EQ(host(6), (Bytes{0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C}));
    EXPECT_EQ(session.events().items()[1], u"300 ms");
    ASSERT_EQ(editor.delayEdited(1, 100).result, MacroEditResult::Done);
    EXPECT_EQ(host(6), (Bytes{0x01, 0x41, 0xE4, 0x41, 0, 0}));
    EXPECT_EQ(editor.delayEdited(2, 300).result, MacroEditResult::Ignored);  // a key item
    editor.delayEdited(1, 0);  // limited to 2
    EXPECT_EQ(host(2 + 2)[2], 0x82);
}

TEST_F(Editing, DelayEditWithoutRoomIsRefused) {
    Bytes full;
    for (int i = 0; i < 95; ++i) full.insert(full.end(), {static_cast<std::uint8_t>(i % 2 ? 0x85 : 0x01), 0x41});
    load(full);
    ASSERT_EQ(session.events().items()[1], u"5 ms");
    const auto outcome = editor.delayEdited(1, 1000);
    EXPECT_EQ(outcome.result, MacroEditResult::StreamFull);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(session.events().items()[1], u"5 ms");
    EXPECT_EQ(host(4), (Bytes{0x01, 0x41, 0x85, 0x41}));
}

TEST_F(Editing, InsertDelayNeedsAKeyItemThatIsNotLast) {
    load({0x01, 0x41, 0xFF, 0x41, 0x01, 0xF4, 0x01, 0x42});
    session.events().select(3);  // last item
    EXPECT_EQ(editor.insertDelay().result, MacroEditResult::Ignored);
    session.events().select(1);  // a delay item
    const auto outcome = editor.insertDelay();
    EXPECT_EQ(outcome.result, MacroEditResult::ShowMessage);
    EXPECT_EQ(outcome.message->text, u"Please edit current delay\n");
    session.events().select(2);  // "A up": B dn gets 50 ms
    ASSERT_EQ(editor.insertDelay().result, MacroEditResult::Done);
    EXPECT_EQ(host(8), (Bytes{0x01, 0x41, 0xFF, 0x41, 0x01, 0xF4, 0x32, 0x42}));
    EXPECT_EQ(session.events().items(), (Items{u"A  dn", u"500 ms", u"A  up", u"50 ms", u"B  dn"}));
    session.events().select(0);  // the following event is long: it becomes a short 50 ms
    ASSERT_EQ(editor.insertDelay().result, MacroEditResult::Done);
    EXPECT_EQ(host(8), (Bytes{0x01, 0x41, 0xB2, 0x41, 0x32, 0x42, 0, 0}));
}

TEST_F(Editing, InsertionIntoAFullMacroIsRefusedAndKeepsPressesPaired) {
    Bytes full;
    for (int i = 0; i < 93; ++i) full.insert(full.end(), {0x01, 0x41});  // 186 bytes
    load(full);
    session.events().select(0);
    editor.insertBefore();
    EXPECT_EQ(recorder.processKey(0x42, false), KeyEventResult::Inserted);  // 188, release fits
    EXPECT_EQ(recorder.processKey(0x42, false), KeyEventResult::StreamFull);
    EXPECT_EQ(recorder.processKey(0x42, true), KeyEventResult::Inserted);
    EXPECT_EQ(host(4), (Bytes{0x01, 0x42, 0x81, 0x42}));
    EXPECT_EQ(session.buffer().streams.end(), 190u);
    session.events().select(0);
    EXPECT_EQ(editor.mouse(MouseButton::Right, MouseAction::Up).result, MacroEditResult::StreamFull);
}

// Insert After the last item, then keys as the hook delivers them: the
// insertion ends once no inserted key is still held, and only then.
TEST_F(Editing, AnInsertionEndsWithEveryInsertedKeyReleased) {
    using R = KeyEventResult;
    constexpr std::uint8_t ctrl = 0xA2, c = 0x43, noCode = 0x15, enter = 0x0D;
    struct Step {
        std::uint8_t key;
        bool released;
        R result;
        bool stillPending;
    };
    struct Case {
        const char* name;
        std::size_t room;
        std::vector<Step> steps;
        Bytes inserted;
    };
    const Case cases[] = {
        {"a combination", 186,
         {{ctrl, false, R::Inserted, true}, {c, false, R::Inserted, true},
          {c, true, R::Inserted, true}, {ctrl, true, R::Inserted, false}},
         {0x01, ctrl, 0x01, c, 0x81, c, 0x81, ctrl}},
        {"a combination let go in press order", 186,
         {{ctrl, false, R::Inserted, true}, {c, false, R::Inserted, true},
          {ctrl, true, R::Inserted, true}, {c, true, R::Inserted, false}},
         {0x01, ctrl, 0x01, c, 0x81, ctrl, 0x81, c}},
        {"two events short of full", 4,
         {{ctrl, false, R::Inserted, true}, {c, false, R::StreamFull, true},
          {c, true, R::Ignored, true}, {ctrl, true, R::Inserted, false}},
         {0x01, ctrl, 0x81, ctrl}},
        {"a refused press alone", 2,
         {{c, false, R::StreamFull, true}, {c, true, R::Ignored, false}}, {}},
        {"a key without a keyboard code", 186,
         {{noCode, false, R::Ignored, true}, {noCode, true, R::Ignored, false}}, {}},
        {"a key without a keyboard code inside a combination", 186,
         {{ctrl, false, R::Inserted, true}, {noCode, false, R::Ignored, true},
          {noCode, true, R::Ignored, true}, {ctrl, true, R::Inserted, false}},
         {0x01, ctrl, 0x81, ctrl}},
        {"a release whose press came before", 186,
         {{enter, true, R::Ignored, false}}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::size_t used = kMacroStreamSize - k.room;
        Bytes stream;
        for (std::size_t i = 0; i < used / 2; ++i) {
            stream.insert(stream.end(), {static_cast<std::uint8_t>(i % 2 ? 0x81 : 0x01), 0x41});
        }
        load(stream);
        session.events().select(static_cast<int>(session.events().size()) - 1);
        ASSERT_EQ(editor.insertAfter().result, MacroEditResult::Done);
        for (std::size_t i = 0; i < k.steps.size(); ++i) {
            const Step& step = k.steps[i];
            EXPECT_EQ(recorder.processKey(step.key, step.released), step.result) << i;
            EXPECT_EQ(session.pendingInsertion, step.stillPending) << i;
            EXPECT_EQ(session.hookInstalled(), step.stillPending) << i;
        }
        const std::size_t end = used + k.inserted.size();
        EXPECT_EQ(session.buffer().streams.end(), end);
        EXPECT_EQ(Bytes(slot0().hostEvents.begin() + static_cast<std::ptrdiff_t>(used),
                        slot0().hostEvents.begin() + static_cast<std::ptrdiff_t>(end)),
                  k.inserted);
        EXPECT_EQ(session.events().items(), macroDisplayItems(MacroStreamView(slot0().hostEvents)));
    }
}

TEST_F(Editing, AnInsertionWhoseMacroChangedEnds) {
    saved = test::storeWith({{u"Long", {0x01, 0x41, 0x81, 0x41, 0x01, 0x42}}, {u"Short", {}}});
    session.open(*saved);
    session.events().select(2);
    editor.insertAfter();  // pending index 3
    session.selectMacro(1);
    EXPECT_EQ(recorder.processKey(0x43, false), KeyEventResult::Ignored);
    EXPECT_FALSE(session.pendingInsertion);
    EXPECT_FALSE(session.hookInstalled());
    EXPECT_EQ(session.workingStore().records[1].hostEvents[1], 0);
}

TEST_F(Editing, LoopTextStoresTheValue) {
    load({});
    editor.loopTextChanged(u"250");
    EXPECT_EQ(slot0().loopCount, 250);
    editor.loopTextChanged(u"");
    EXPECT_EQ(slot0().loopCount, 0);
    EXPECT_EQ(loopEditValue(u"99999"), 65535);
    EXPECT_EQ(loopEditValue(u"12x4"), 12);
}

}  // namespace
}  // namespace orvane

// With the macro selection cleared, the event list and the edit buffer
// still agree after every command that rebuilds the list (found by the
// macro_edit fuzz target).



namespace orvane {
namespace {

TEST(MacroWithoutSelection, ARebuiltListAndTheBufferAgree) {
    // L Ctrl dn, L Ctrl up
    auto saved = test::storeWith({{u"M", {0x01, 0xA2, 0x81, 0xA2}}});
    test::FakeHook hook;
    test::FakeClock clock;
    MacroSession session(kLanguageEnglish, &hook);
    MacroEditor editor(session);
    MacroRecorder recorder(session, editor, clock);
    session.open(*saved);
    session.events().select(1);
    ASSERT_EQ(editor.insertAfter().result, MacroEditResult::Done);
    session.selectMacro(-1);
    recorder.processKey(0xDB, false);  // a key taken while nothing is selected
    session.events().select(1);
    editor.insertDelay();
    EXPECT_EQ(session.events().items(), macroDisplayItems(session.buffer().streams.hostView()));
    EXPECT_TRUE(session.events().empty());
    // Nothing reached the store: without a selection there is no commit.
    EXPECT_EQ(session.workingStore().records[0].hostEvents, saved->records[0].hostEvents);
}

}  // namespace
}  // namespace orvane
