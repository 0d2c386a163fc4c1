#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "macros/model/macrosession.h"
#include "macro_test_support.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

using Names = std::vector<std::u16string>;

TEST(MacroSession, OpeningSelectsTheFirstMacroAndTakesItsOptions) {
    auto saved = test::storeWith({{u"One", {0x01, 0x41, 0x81, 0x41}}, {u"Two", {}}});
    saved->records[0].loopCount = 0;  // shown and stored as 1
    saved->records[0].options = 1;
    saved->records[1].loopCount = 5000;
    MacroSession session(kLanguageEnglish);
    session.open(*saved);
    EXPECT_EQ(session.macroNames(), (Names{u"One", u"Two"}));
    EXPECT_EQ(session.selectedMacro(), 0);
    EXPECT_TRUE(session.recordDelay());
    EXPECT_FALSE(session.loopsOption());
    EXPECT_EQ(session.loopText(), u"1");
    EXPECT_EQ(session.workingStore().records[0].loopCount, 1);
    EXPECT_EQ(session.events().items().size(), 2u);

    session.selectMacro(1);  // a count above 999 survives as long as nobody retypes it
    EXPECT_TRUE(session.loopsOption());
    EXPECT_EQ(session.loopText(), u"5000");
    session.commit();
    EXPECT_EQ(session.workingStore().records[1].loopCount, 5000);
    session.toggleLoops();  // off stores 1 at once
    EXPECT_EQ(session.workingStore().records[1].loopCount, 1);
    EXPECT_EQ(saved->records[1].loopCount, 5000);  // the saved store waits for OK
}

TEST(MacroSession, NamesAfterAFreeSlotKeepTheirOwnSlots) {
    auto saved = std::make_unique<MacroStore>();
    setFixedText(saved->records[2].name, u"Late");
    test::setStreams(saved->records[2], {0x01, 0x42});
    MacroSession session(kLanguageEnglish);
    session.open(*saved);
    ASSERT_EQ(session.macroNames(), (Names{u"Late"}));
    EXPECT_EQ(session.slotOfItem(0), 2u);
    EXPECT_EQ(session.events().items(), (Names{u"B  dn"}));
    session.commit();
    EXPECT_EQ(session.workingStore().records[0].name[0], 0);  // slot 0 stays free
    EXPECT_EQ(session.workingStore().records[2].hostEvents[1], 0x42);
}

TEST(MacroSession, RenameRefusesAnEmptyOrOverlongName) {
    auto saved = test::storeWith({{u"One", {}}, {u"Two", {}}});
    MacroSession session(kLanguageEnglish);
    session.open(*saved);
    EXPECT_FALSE(session.renameMacro(0, u""));
    EXPECT_FALSE(session.renameMacro(0, std::u16string(255, u'x')));
    EXPECT_FALSE(session.renameMacro(2, u"Nope"));
    EXPECT_EQ(session.macroNames()[0], u"One");
    EXPECT_EQ(fixedText(session.workingStore().records[0].name), u"One");
    EXPECT_TRUE(session.renameMacro(0, std::u16string(254, u'y')));
    EXPECT_EQ(fixedText(session.workingStore().records[0].name).size(), 254u);
}

TEST(MacroSession, NewMacroNamesAndLimit) {
    auto saved = test::storeWith({{u"Macro_001", {0x01, 0x41}}, {u"Macro_003", {}}});
    test::FakeHook hook;
    MacroSession session(kLanguageEnglish, &hook);
    session.open(*saved);
    session.installHook();
    session.recording = true;
    ASSERT_TRUE(session.newMacro());
    EXPECT_EQ(session.macroNames(), (Names{u"Macro_001", u"Macro_003", u"Macro_002"}));
    EXPECT_EQ(session.selectedMacro(), 2);
    EXPECT_EQ(session.workingStore().records[2].loopCount, 1);
    EXPECT_FALSE(session.recording);
    EXPECT_EQ(hook.removes, 1);
    EXPECT_TRUE(session.events().empty());
    for (int i = 3; i < 32; ++i) ASSERT_TRUE(session.newMacro()) << i;
    EXPECT_EQ(session.macroNames()[9], u"Macro_010");
    EXPECT_EQ(session.macroNames()[31], u"Macro_032");
    EXPECT_FALSE(session.newMacro());
    EXPECT_EQ(session.workingStore().records[32].name[0], 0);
}

TEST(MacroSession, DeleteMovesLaterMacrosDownAndSelects) {
    auto saved = test::storeWith({{u"A", {0x01, 0x41}}, {u"B", {0x01, 0x42}}, {u"C", {0x01, 0x43}}});
    MacroSession session(kLanguageChinese);
    session.open(*saved);
    session.selectMacro(1);
    EXPECT_FALSE(session.deleteSelectedMacro());
    EXPECT_EQ(session.macroNames(), (Names{u"A", u"C"}));
    EXPECT_EQ(session.selectedMacro(), 1);  // the macro that moved into its place
    EXPECT_EQ(session.events().items(), (Names{u"C  dn"}));
    EXPECT_EQ(session.workingStore().records[2].name[0], 0);
    session.deleteSelectedMacro();  // the last one: the new last is selected
    EXPECT_EQ(session.selectedMacro(), 0);
    session.deleteSelectedMacro();
    EXPECT_TRUE(session.macroNames().empty());
    EXPECT_EQ(session.selectedMacro(), -1);
    EXPECT_TRUE(session.events().empty());
    const auto message = session.deleteSelectedMacro();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, u"请选择一个宏指令文件删除\n");
    EXPECT_EQ(message->caption, u"宏管理");
}

TEST(MacroSession, ConfirmCopiesBackAndCancelDoesNot) {
    auto saved = test::storeWith({{u"A", {0x01, 0x41}}});
    saved->records[0].reserved = 0;
    MacroSession session(kLanguageEnglish);
    session.open(*saved);
    session.toggleLoops();
    session.setLoopText(u"7");
    session.renameMacro(0, u"Renamed");
    session.close();
    EXPECT_EQ(fixedText(saved->records[0].name), u"A");

    session.confirm(*saved);
    EXPECT_EQ(fixedText(saved->records[0].name), u"Renamed");
    EXPECT_EQ(saved->records[0].loopCount, 7);
    EXPECT_EQ(std::memcmp(saved.get(), &session.workingStore(), sizeof(MacroStore)), 0);
}

TEST(MacroSession, CommitWritesOnlyTheSelectedSlot) {
    auto saved = test::storeWith({{u"A", {}}, {u"B", {}}});
    MacroSession session(kLanguageEnglish);
    session.open(*saved);
    session.selectMacro(1);
    session.toggleRecordDelay();
    session.buffer().streams.host[0] = 0x01;
    session.buffer().streams.host[1] = 0x41;
    session.commit();
    const auto& store = session.workingStore();
    EXPECT_EQ(store.records[1].hostEvents[1], 0x41);
    EXPECT_EQ(store.records[1].options, 1);
    EXPECT_EQ(store.records[0].hostEvents[1], 0);
    session.selectMacro(5);  // nothing there: no selection, commit writes nothing
    session.commit();
    EXPECT_EQ(std::memcmp(&store.records[2], &saved->records[2], sizeof(MacroRecord)), 0);
}

TEST(MacroSession, ConfirmingTheManagerFillsSlotsAndWritesBothFiles) {
    test::TempDir dir;
    auto image = std::make_unique<SettingsImage>();
    auto store = test::storeWith({{u"A", {0x01, 0x41, 0x81, 0x41}}});
    image->macroStore = *store;
    MacroSession session(kLanguageEnglish);
    session.open(image->macroStore);
    session.toggleLoops();
    session.setLoopText(u"258");
    ASSERT_TRUE(confirmMacroManager(*image, session, dir.path()).all());
    const auto slot = macroSlot(image->working.mouseData, 0);
    EXPECT_EQ(slot[0], 0x01);  // 258 big-endian
    EXPECT_EQ(slot[1], 0x02);
    EXPECT_EQ(slot[3], 0x04);  // device code of A
    const auto macros = test::readBytes(dir / "MacroDefine.bin");
    ASSERT_EQ(macros.size(), kMacroStoreSize);
    EXPECT_EQ(std::memcmp(macros.data(), &image->macroStore, kMacroStoreSize), 0);
    const auto keymap = test::readBytes(dir / "keymap.bin");
    ASSERT_EQ(keymap.size(), kKeymapFileSize);
    EXPECT_EQ(keymap[offsetof(MouseData, MacroSlots)], 0x01);
    EXPECT_FALSE(confirmMacroManager(*image, session, dir / "missing").keymap);
}

TEST(MacroSession, ConfirmingLeavesAnUnreadableMacroFileAlone) {
    test::TempDir dir;
    const std::vector<unsigned char> unread(kMacroStoreSize, 0x6B);
    test::writeBytes(dir / "MacroDefine.bin", unread);
    auto image = std::make_unique<SettingsImage>();
    image->unreadableFiles.macros = true;  // as the start-up load marked it
    image->macroStore = *test::storeWith({{u"A", {0x01, 0x41, 0x81, 0x41}}});
    MacroSession session(kLanguageEnglish);
    session.open(image->macroStore);
    const MacroFilesWritten written = confirmMacroManager(*image, session, dir.path());
    EXPECT_FALSE(written.macros);
    EXPECT_TRUE(written.keymap);
    EXPECT_EQ(test::readBytes(dir / "MacroDefine.bin"), unread);
    EXPECT_EQ(macroSlot(image->working.mouseData, 0)[3], 0x04);  // the keyboard still gets it
    EXPECT_EQ(test::readBytes(dir / "keymap.bin").size(), kKeymapFileSize);
}

}  // namespace
}  // namespace orvane
