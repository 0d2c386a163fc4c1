// Every way a capture ends lets go of the keys still held, and an insertion
// never outlives the command, selection or recording that follows it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "macro/macropanelcontroller.h"
#include "macro_test_support.h"

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
