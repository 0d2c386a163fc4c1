// With the macro selection cleared, the event list and the edit buffer
// still agree after every command that rebuilds the list (found by the
// macro_edit fuzz target).
#include <gtest/gtest.h>

#include <memory>

#include "macro/macroeditor.h"
#include "macro/macrorecorder.h"
#include "macro/macrosession.h"
#include "macro_test_support.h"

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
