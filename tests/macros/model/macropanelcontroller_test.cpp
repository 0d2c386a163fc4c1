#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "keyboardstate/keylabels.h"
#include "macros/model/macropanelcontroller.h"
#include "macro_test_support.h"
#include <functional>
#include <random>
#include "macro_panel_walk.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

using Names = std::vector<std::u16string>;

struct RecordingHost final : MacroPanelHost {
    std::vector<std::u16string> messages;   // shown with OK
    std::vector<std::u16string> questions;  // asked with OK and Cancel
    std::vector<bool> answers;              // next answers; empty: OK
    std::vector<bool> ended;
    int drags = 0;

    void showMessage(const PanelMessage& m) override { messages.push_back(m.text); }
    bool confirm(const PanelMessage& m) override {
        questions.push_back(m.text);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void endPanel(bool ok) override { ended.push_back(ok); }
    void startWindowDrag() override { ++drags; }
};

// A point inside each region.
constexpr int kRecordX = 300, kRecordY = 110;
constexpr int kDelayBoxX = 370, kDelayBoxY = 170;
constexpr int kLoopsBoxX = 300, kLoopsBoxY = 320;
constexpr int kNewX = 40, kNewY = 380;
constexpr int kDeleteX = 100, kDeleteY = 380;
constexpr int kOkX = 300, kOkY = 410;
constexpr int kCancelX = 360, kCancelY = 410;

class Panel : public ::testing::Test {
protected:
    test::FakeClock clock;
    test::FakeHook hook;
    RecordingHost host;
    MacroPanelController panel{kLanguageEnglish, hook, clock, host};

    void open(const std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>>& macros) {
        saved = test::storeWith(macros);
        panel.open(*saved);
    }
    const MacroRecord& working(std::size_t slot) const { return panel.session().workingStore().records[slot]; }
    void key(std::uint8_t vk) {
        panel.onKey(vk, false);
        panel.onKey(vk, true);
    }

    std::unique_ptr<MacroStore> saved;
};

TEST_F(Panel, RecordWithoutAMacroTellsSoAndStartsNothing) {
    open({});
    panel.onLButtonUp(kRecordX, kRecordY);
    EXPECT_EQ(host.messages, (Names{u"Please select a Macro file to record \n"}));
    EXPECT_FALSE(panel.session().recording);
    EXPECT_EQ(hook.installs, 0);
}

TEST_F(Panel, RecordThenStopKeepsTheTypedKeys) {
    open({{u"Old", {0x01, 0x43, 0x81, 0x43}}});
    panel.onLButtonUp(kRecordX, kRecordY);
    ASSERT_TRUE(panel.session().recording);
    EXPECT_TRUE(hook.active);
    EXPECT_TRUE(panel.session().events().empty());  // a recording replaces the events
    key(0x41);
    key(0x42);
    panel.onLButtonUp(kRecordX, kRecordY);
    EXPECT_FALSE(panel.session().recording);
    EXPECT_FALSE(hook.active);
    key(0x44);  // after Stop nothing is recorded
    EXPECT_EQ(test::streamPrefix(working(0).hostEvents, 10),
              (std::vector<std::uint8_t>{0x01, 0x41, 0x81, 0x41, 0x01, 0x42, 0x81, 0x42, 0, 0}));
    EXPECT_EQ(working(0).deviceEvents[1], keyUsage(0x41));
    EXPECT_EQ(panel.session().events().size(), 4u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Panel, NewMacrosStopAtThirtyTwoSilently) {
    std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>> macros;
    for (int i = 0; i < 31; ++i) macros.push_back({u"M" + std::u16string(1, char16_t(u'A' + i % 26)) + char16_t(u'0' + i / 26), {}});
    open(macros);
    panel.onLButtonUp(kNewX, kNewY);
    ASSERT_EQ(panel.session().macroNames().size(), 32u);
    EXPECT_EQ(panel.session().macroNames().back(), u"Macro_001");
    EXPECT_EQ(panel.session().selectedMacro(), 31);
    const MacroStore before = panel.session().workingStore();
    panel.onLButtonUp(kNewX, kNewY);
    EXPECT_EQ(panel.session().macroNames().size(), 32u);
    EXPECT_EQ(std::memcmp(&before, &panel.session().workingStore(), sizeof(MacroStore)), 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(Panel, NewDuringARecordingStopsItAndStartsAnEmptyMacro) {
    open({{u"A", {0x01, 0x41}}});
    panel.onLButtonUp(kDelayBoxX, kDelayBoxY);
    panel.onLButtonUp(kRecordX, kRecordY);
    panel.onLButtonUp(kNewX, kNewY);
    EXPECT_FALSE(panel.session().recording);
    EXPECT_FALSE(panel.session().recordDelay());
    EXPECT_FALSE(hook.active);
    EXPECT_EQ(panel.session().macroNames(), (Names{u"A", u"Macro_001"}));
    EXPECT_EQ(working(1).loopCount, 1);
}

TEST_F(Panel, DeleteSelectsAsDescribedAndRemembersWhereMacrosWent) {
    struct Row { const char* what; int count; int selected; Names left; int selectedAfter; };
    const Row rows[] = {
        {"the only macro", 1, 0, {}, -1},
        {"the last of three", 3, 2, {u"A", u"B"}, 1},
        {"a middle one", 3, 1, {u"A", u"C"}, 1},
        {"the first", 3, 0, {u"B", u"C"}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>> macros;
        for (int i = 0; i < r.count; ++i) macros.push_back({std::u16string(1, char16_t(u'A' + i)), {0x01, std::uint8_t(0x41 + i)}});
        open(macros);
        panel.onMacroSelected(r.selected);
        host.questions.clear();
        panel.onLButtonUp(kDeleteX, kDeleteY);
        EXPECT_EQ(host.questions, (Names{u"Confirm to delete?"}));
        EXPECT_EQ(panel.session().macroNames(), r.left);
        EXPECT_EQ(panel.session().selectedMacro(), r.selectedAfter);
        EXPECT_EQ(panel.session().events().empty(), r.selectedAfter == -1);
        EXPECT_FALSE(panel.slotMoves().slotOf(static_cast<std::size_t>(r.selected)));
        if (r.selected + 1 < r.count) {
            EXPECT_EQ(panel.slotMoves().slotOf(r.selected + 1), std::size_t(r.selected));
        }
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST_F(Panel, DeleteWithoutASelectionAsksFirstAndOnlyThenReports) {
    open({});
    panel.onLButtonUp(kDeleteX, kDeleteY);
    EXPECT_EQ(host.questions, (Names{u"Confirm to delete?"}));
    EXPECT_EQ(host.messages, (Names{u"Please select a Macro file to delete\n"}));
    host.answers = {false};  // Cancel: no report either
    panel.onLButtonUp(kDeleteX, kDeleteY);
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(Panel, CancelledDeleteKeepsTheMacro) {
    open({{u"A", {}}, {u"B", {}}});
    host.answers = {false};
    panel.onLButtonUp(kDeleteX, kDeleteY);
    EXPECT_EQ(panel.session().macroNames(), (Names{u"A", u"B"}));
    EXPECT_FALSE(panel.slotMoves().any());
}

TEST_F(Panel, LoopsOffStoresOneAtOnceAndOnEnablesTheCount) {
    open({{u"A", {}}, {u"B", {}}});
    saved->records[1].loopCount = 5;
    panel.open(*saved);
    panel.onMacroSelected(1);
    EXPECT_TRUE(panel.session().loopsOption());
    EXPECT_EQ(panel.session().loopText(), u"5");
    panel.onLButtonUp(kLoopsBoxX, kLoopsBoxY);
    EXPECT_FALSE(panel.session().loopsOption());
    EXPECT_EQ(working(1).loopCount, 1);
    EXPECT_EQ(panel.session().loopText(), u"1");
    panel.onLButtonUp(kLoopsBoxX, kLoopsBoxY);
    panel.onLoopTextChanged(u"12");
    EXPECT_EQ(working(1).loopCount, 12);
}

TEST_F(Panel, AStreamThatWouldPass190BytesIsRefusedWithTheMessageAndCaptureStops) {
    // 47 typed keys fill 188 of the 190 bytes: a press and its release need 4.
    open({{u"Full", {}}});
    panel.onLButtonUp(kRecordX, kRecordY);
    for (int i = 0; i < 47; ++i) key(static_cast<std::uint8_t>(0x41 + (i % 2)));
    ASSERT_TRUE(panel.session().recording);
    const MacroRecord before = working(0);
    panel.onKey(0x43, false);
    EXPECT_EQ(host.messages, (Names{u"The macro is full: no more keys or delays fit\n"}));
    EXPECT_FALSE(panel.session().recording);
    EXPECT_FALSE(hook.active);
    EXPECT_EQ(std::memcmp(&before, &working(0), sizeof(MacroRecord)), 0);
    panel.onKey(0x43, true);  // its release comes after capture stopped: nothing
    EXPECT_EQ(std::memcmp(&before, &working(0), sizeof(MacroRecord)), 0);
    EXPECT_EQ(host.messages.size(), 1u);

    // Menu insertions into the full macro are refused the same way.
    panel.session().rebuildEventList();
    panel.onEventSelected(0);
    panel.onMenuCommand(kCmdMouseLeftClick);
    EXPECT_EQ(host.messages.size(), 2u);
    panel.onMenuCommand(kCmdInsertAfter);
    EXPECT_TRUE(hook.active);
    panel.onKey(0x44, false);
    EXPECT_EQ(host.messages.size(), 3u);
    EXPECT_FALSE(panel.session().pendingInsertion);
    EXPECT_FALSE(hook.active);
    EXPECT_EQ(std::memcmp(&before, &working(0), sizeof(MacroRecord)), 0);
}

TEST_F(Panel, MenuCommandsReachTheirEditingCommands) {
    open({{u"A", {0x01, 0x41, 0x81, 0x41}}});
    struct Row { int command; std::optional<MouseCommand> mouse; };
    const Row rows[] = {
        {kCmdMouseLeftDown, MouseCommand{MouseButton::Left, MouseAction::Down}},
        {kCmdMouseRightUp, MouseCommand{MouseButton::Right, MouseAction::Up}},
        {kCmdMouseMiddleClick, MouseCommand{MouseButton::Middle, MouseAction::Click}},
        {32805, std::nullopt},
        {kCmdInsertDelay, std::nullopt},
    };
    for (const Row& r : rows) {
        const auto m = mouseCommand(r.command);
        ASSERT_EQ(m.has_value(), r.mouse.has_value()) << r.command;
        if (m) {
            EXPECT_TRUE(m->button == r.mouse->button && m->action == r.mouse->action) << r.command;
        }
    }
    panel.onEventSelected(1);
    panel.onMenuCommand(kCmdMouseLeftClick);
    EXPECT_EQ(panel.session().events().items(), (Names{u"A  dn", u"A  up", u"MsLB dn", u"MsLB up"}));
    panel.onEventSelected(0);
    panel.onMenuCommand(kCmdInsertDelay);
    EXPECT_EQ(panel.session().events().items()[1], u"50 ms");
    panel.onEventSelected(1);
    panel.onMenuCommand(kCmdInsertDelay);  // on a delay item: the message
    EXPECT_EQ(host.messages, (Names{u"Please edit current delay\n"}));
    panel.onDelayEdited(1, 300);
    EXPECT_EQ(panel.session().events().items()[1], u"300 ms");
    panel.onMenuCommand(kCmdDeleteItem);
    EXPECT_EQ(panel.session().events().size(), 4u);
    panel.onMenuCommand(12345);  // unknown: nothing
    EXPECT_EQ(panel.session().events().size(), 4u);
}

TEST_F(Panel, AnInPlaceEditStopsTheRecordingAndARenameReachesTheStoreAtOnce) {
    open({{u"A", {}}});
    panel.onLButtonUp(kRecordX, kRecordY);
    panel.onInPlaceEditBegins();
    EXPECT_FALSE(panel.session().recording);
    EXPECT_FALSE(hook.active);
    ASSERT_TRUE(panel.onMacroRenamed(0, u"Jump"));
    EXPECT_EQ(fixedText(working(0).name), u"Jump");
    EXPECT_FALSE(panel.onMacroRenamed(0, u""));
    EXPECT_EQ(panel.session().macroNames()[0], u"Jump");
    panel.onLButtonUp(kOkX, kOkY);
    EXPECT_EQ(host.ended, (std::vector<bool>{true}));
    EXPECT_EQ(fixedText(saved->records[0].name), u"A");  // the saved store waits for the main window
}

TEST_F(Panel, OkStopsCaptureAndCancelEndsWithoutIt) {
    open({{u"A", {}}});
    panel.onLButtonUp(kRecordX, kRecordY);
    panel.onLButtonUp(kOkX, kOkY);
    EXPECT_FALSE(hook.active);
    panel.onLButtonUp(kCancelX, kCancelY);
    EXPECT_EQ(host.ended, (std::vector<bool>{true, false}));
}

TEST_F(Panel, HoverLooksFollowThePointerAndTheBackgroundDrags) {
    open({});
    struct Step { int x, y; bool held; std::array<int, 7> states; int drags; };
    const Step steps[] = {
        {kRecordX, kRecordY, false, {1, 0, 0, 0, 0, 0, 0}, 0},
        {kNewX, kNewY, false, {0, 0, 0, 1, 0, 0, 0}, 0},
        {kDelayBoxX, kDelayBoxY, false, {0, 0, 0, 1, 0, 0, 0}, 0},  // checkboxes change no look
        {kCancelX, kCancelY, false, {0, 0, 0, 0, 0, 0, 1}, 0},
        {5, 200, true, {0, 0, 0, 0, 0, 0, 0}, 0},   // entering the background: no drag yet
        {6, 201, false, {0, 0, 0, 0, 0, 0, 0}, 0},  // moving without the button: none
        {7, 202, true, {0, 0, 0, 0, 0, 0, 0}, 1},
        {kOkX, kOkY, true, {0, 0, 0, 0, 0, 1, 0}, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.x << "," << s.y);
        panel.onMouseMove(s.x, s.y, s.held);
        for (int r = 0; r < kMacroRegionCount; ++r) EXPECT_EQ(panel.regions()[r].state, s.states[r]) << r;
        EXPECT_EQ(host.drags, s.drags);
    }
    panel.onPointerLeft();
    EXPECT_EQ(panel.regions()[kMacroRegionOk].state, 0);
    panel.open(*saved);
    EXPECT_EQ(panel.regions().hovered(), kMacroRegionNone);
}

}  // namespace
}  // namespace orvane

// Every way a capture ends lets go of the keys still held, and an insertion
// never outlives the command, selection or recording that follows it.



namespace orvane {
namespace {

using Names = std::vector<std::u16string>;
constexpr std::uint8_t kCtrl = 0xA2, kC = 0x43, kA = 0x41, kB = 0x42, kEsc = 0x1B;

class CaptureEnd : public ::testing::Test {
public:  // the table rows act on the fixture
    test::FakeClock clock;
    test::FakeHook hook;
    test::OkPanelHost host;
    MacroPanelController panel{kLanguageEnglish, hook, clock, host};
    std::unique_ptr<MacroStore> saved;

    void open(const std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>>& macros) {
        saved = test::storeWith(macros);
        panel.open(*saved);
    }
    const MacroRecord& working(std::size_t slot) const { return panel.session().workingStore().records[slot]; }
    const Names& items() const { return panel.session().events().items(); }
    void click(test::MacroPanelPoint at) { panel.onLButtonUp(at.x, at.y); }
    void record() { click(test::kMacroRecord); }
    void down(std::uint8_t vk) { panel.onKey(vk, false); }
    void up(std::uint8_t vk) { panel.onKey(vk, true); }
    void insertAfter(int item) {
        panel.onEventSelected(item);
        panel.onMenuCommand(kCmdInsertAfter);
    }
    bool capturing() const { return hook.active || panel.session().hookInstalled(); }
};

TEST_F(CaptureEnd, AFullMacroLetsGoOfTheHeldCtrl) {
    open({{u"M", {}}});
    record();
    for (int i = 0; i < 24; ++i) {
        down(kCtrl);
        down(kC);
        up(kC);
        up(kCtrl);
    }
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_FALSE(panel.session().recording);
    EXPECT_FALSE(capturing());
    EXPECT_EQ(items().back(), keyItemText(kCtrl, true));
    EXPECT_EQ(items()[items().size() - 2], keyItemText(kCtrl, false));
    EXPECT_TRUE(test::keysBalance(working(0)));
    EXPECT_EQ(macroStreamEnd(MacroStreamView(working(0).hostEvents)), 188u);
}

TEST_F(CaptureEnd, EveryWayARecordingEndsReleasesHeldKeysLastPressedFirst) {
    struct Row {
        const char* what;
        std::function<void(CaptureEnd&)> end;
        bool okStore;  // the macro is read from the saved store (OK)
    };
    const Row rows[] = {
        {"Stop Recording", [](CaptureEnd& t) { t.record(); }, false},
        {"New", [](CaptureEnd& t) { t.click(test::kMacroNew); }, false},
        {"another macro", [](CaptureEnd& t) { t.panel.onMacroSelected(1); }, false},
        {"an in-place edit", [](CaptureEnd& t) { t.panel.onInPlaceEditBegins(); }, false},
        {"OK", [](CaptureEnd& t) { t.click(test::kMacroOk); t.panel.session().confirm(*t.saved); }, true},
        {"Cancel", [](CaptureEnd& t) { t.click(test::kMacroCancel); }, false},
        {"Insert After", [](CaptureEnd& t) { t.insertAfter(0); }, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        open({{u"M", {}}, {u"N", {0x01, kC, 0x81, kC}}});
        record();
        down(kA);
        down(kB);
        r.end(*this);
        const MacroRecord& m = r.okStore ? saved->records[0] : working(0);
        EXPECT_TRUE(test::keysBalance(m));
        const auto events = macroEvents(MacroStreamView(m.hostEvents));
        ASSERT_EQ(events.size(), 4u);
        EXPECT_EQ(events[2].code, kB);  // the last pressed goes up first
        EXPECT_EQ(events[3].code, kA);
        EXPECT_TRUE(events[3].released);
        // The keys' own releases afterwards land nowhere.
        up(kB);
        up(kA);
        EXPECT_TRUE(test::keysBalance(working(1)));
        EXPECT_TRUE(test::keysBalance(working(0)));
    }
}

TEST_F(CaptureEnd, DeleteDuringARecordingKeepsTheOtherMacrosWhole) {
    open({{u"M", {0x01, kC, 0x81, kC}}, {u"N", {0x01, kC, 0x81, kC}}});
    panel.onMacroSelected(1);
    record();
    down(kA);
    click(test::kMacroDelete);
    EXPECT_FALSE(capturing());
    up(kA);
    EXPECT_EQ(panel.session().macroNames(), (Names{u"M"}));
    EXPECT_TRUE(test::keysBalance(working(0)));
}

TEST_F(CaptureEnd, AnInsertionEndedByAnotherCommandReleasesWhereItInserts) {
    open({{u"M", {0x01, kC, 0x81, kC}}});
    insertAfter(0);  // between "C dn" and "C up"
    down(kCtrl);
    panel.onEventSelected(0);
    panel.onMenuCommand(kCmdMouseLeftClick);
    EXPECT_FALSE(capturing());
    EXPECT_EQ(items(), (Names{keyItemText(kC, false), u"MsLB dn", u"MsLB up", keyItemText(kCtrl, false), keyItemText(kCtrl, true), keyItemText(kC, true)}));
    EXPECT_TRUE(test::keysBalance(working(0)));
}

TEST_F(CaptureEnd, AnInsertionEndsOnRecordingSelectionCommandsAndEscape) {
    struct Row {
        const char* what;
        std::function<void(CaptureEnd&)> act;
        bool recordingAfter;
    };
    const Row rows[] = {
        {"Start Recording", [](CaptureEnd& t) { t.record(); }, true},
        {"another macro", [](CaptureEnd& t) { t.panel.onMacroSelected(1); }, false},
        {"Insert Delay", [](CaptureEnd& t) { t.panel.onMenuCommand(kCmdInsertDelay); }, false},
        {"Delete of a pause", [](CaptureEnd& t) {
             t.panel.onEventSelected(1);
             t.panel.onMenuCommand(kCmdDeleteItem);
         }, false},
        {"a mouse click", [](CaptureEnd& t) { t.panel.onMenuCommand(kCmdMouseRightClick); }, false},
        {"Escape", [](CaptureEnd& t) { t.down(kEsc); t.up(kEsc); }, false},
        {"New", [](CaptureEnd& t) { t.click(test::kMacroNew); }, false},
        {"an in-place edit", [](CaptureEnd& t) { t.panel.onInPlaceEditBegins(); }, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        open({{u"M", {0x01, kA, 0xB2, kA}}, {u"N", {0x01, kB, 0x81, kB}}});  // A dn, 50 ms, A up
        insertAfter(0);
        ASSERT_TRUE(panel.session().pendingInsertion);
        r.act(*this);
        EXPECT_FALSE(panel.session().pendingInsertion);
        EXPECT_EQ(panel.session().recording, r.recordingAfter);
        EXPECT_EQ(capturing(), r.recordingAfter);  // the hook is in exactly while a capture runs
        const MacroRecord before1 = working(1);
        down(kC);
        up(kC);
        if (r.recordingAfter) {
            EXPECT_EQ(items(), (Names{keyItemText(kC, false), keyItemText(kC, true)}));  // recorded, not inserted
        }
        EXPECT_EQ(working(1).hostEvents, before1.hostEvents);  // nothing lands in the other macro
        for (const auto& item : items()) EXPECT_NE(item, keyItemText(kEsc, false));
        EXPECT_TRUE(test::keysBalance(working(0)));
    }
}

TEST_F(CaptureEnd, ReleasesOfKeysPressedBeforeTheCaptureAreNotTaken) {
    open({{u"M", {0x01, kA, 0x81, kA}}});
    down(kB);  // held before the recording starts
    record();
    up(kB);
    down(kC);
    up(kC);
    EXPECT_EQ(items(), (Names{keyItemText(kC, false), keyItemText(kC, true)}));
    insertAfter(1);
    up(kA);  // held before the insertion: ends it, inserts nothing
    EXPECT_FALSE(capturing());
    EXPECT_EQ(items(), (Names{keyItemText(kC, false), keyItemText(kC, true)}));
}

}  // namespace
}  // namespace orvane

// Random walks through the macro manager and the main window: see
// macro_panel_walk.h. Fixed seeds, so a failure names its walk.



namespace orvane {
namespace {

TEST(MacroPanelWalk, NoWalkLeavesAKeyHeldOrPlayingAnotherMacro) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 gen(seed);
        std::vector<std::uint8_t> bytes(1000);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(gen());
        test::TempDir dir;
        test::MacroPanelWalk walk(dir.path());
        EXPECT_EQ(walk.run(bytes), "");
    }
}

}  // namespace
}  // namespace orvane
