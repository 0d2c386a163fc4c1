// A click on a key reloads the key assignments from keymap.bin before the
// panel opens; these tests follow that path through ApplyKeyAssignment and
// Save onto the virtual keyboard.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>

#include "device/linkfixture.h"
#include "keymap/keyassignment.h"
#include "keymap/keytables.h"
#include "mainwindow/keypicturetable.h"
#include "mainwindow/maincontroller.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

using Entry = std::array<std::uint8_t, 4>;

constexpr std::size_t kQ = 42;

// A window around the controller: the panel answers with `answer`, Save runs
// write-all on the link, everything else does nothing.
struct LinkedHost : MainWindowHost {
    explicit LinkedHost(test::ConnectedRig& rig) : rig(rig) {}

    void paintAll() override {}
    void drawSliderFace(SliderKind) override {}
    void applySliderPositions() override {}
    void hideWindow() override {}
    void closeMainDialog() override {}
    void setWaitCursor(bool) override {}
    void startWindowDrag() override {}
    std::optional<Rgb> chooseColor() override { return std::nullopt; }
    bool confirm(std::u16string_view, std::u16string_view) override { return true; }
    void showMessage(std::u16string_view, std::u16string_view) override { ++messages; }
    SaveOutcome writeAll() override {
        switch (rig.link.writeAll(*rig.image)) {
            case WriteResult::NothingChanged: return SaveOutcome::NothingChanged;
            case WriteResult::Sent: return SaveOutcome::Sent;
            case WriteResult::NoAcknowledgement: return SaveOutcome::NoAcknowledgement;
            case WriteResult::NotConnected: break;
        }
        return SaveOutcome::NotConnected;
    }
    void factoryResetKeyboard() override {}
    void runMacroManager() override {}
    void runProfileManager() override {}
    bool runKeyAssignment(std::uint8_t, PendingAssignment& pending) override {
        answer(pending);
        return true;
    }
    void openWebAddress() override {}
    void startUpdater() override {}
    void sendRefresh(int) override {}

    test::ConnectedRig& rig;
    std::function<void(PendingAssignment&)> answer;
    int messages = 0;
};

class KeyClickReload : public ::testing::Test {
protected:
    KeyClickReload() {
        // What start-up and the refresh after the keyboard read leave behind.
        stampKeyCodes(rig.image->working.keyAssignments);
        copyWorkingToSaved(*rig.image);
        EXPECT_TRUE(writeKeymapFromWorking(*rig.image, dir.path()));
    }

    void clickKey(std::size_t position) {
        const KeyPicture& k = KeyPictureTable[position];
        controller.onLButtonUp(kKeyboardPictureX + (k.left + k.right) / 2,
                               kKeyboardPictureY + (k.top + k.bottom) / 2);
    }
    void clickSave() { controller.onLButtonUp(938, 612); }
    Entry keyboardEntry(std::size_t position) const {
        const MouseData memory = rig.keyboard->memory();
        const auto e = deviceKeyEntry(memory, KeyPositionEntryMap[position]);
        return {e[0], e[1], e[2], e[3]};
    }

    test::TempDir dir;
    test::ConnectedRig rig;
    MainWindowState state;
    LinkedHost host{rig};
    MainWindowController controller{*rig.image, state, dir.path(), host};
};

TEST_F(KeyClickReload, DeletedKeymapStillGivesEachAnswerTheKeysOwnCode) {
    struct Case {
        const char* name;
        std::function<void(PendingAssignment&)> answer;
        Entry expected;
    };
    const Case cases[] = {
        {"Default button", [](PendingAssignment& p) { p.ItemCountOnList = kDefaultButtonCount; },
         {KIND_KEYS, 0, 0x14, 0}},
        {"Type_NONE", [](PendingAssignment& p) {
             p.ItemCountOnList = 0;
             p.mapType = Type_NONE;
         },
         {KIND_KEYS, 0, 0x14, 0}},
        {"Open Folder", [](PendingAssignment& p) {
             p.ItemCountOnList = 0;
             p.mapType = TYPE_OPEN_FOLDER;
             ASSERT_TRUE(setPendingPath(p, u"/home/user/Music"));
         },
         {KIND_HOST, 0, 0x51, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Q first becomes A on the keyboard, so every case has to send something.
        host.answer = [](PendingAssignment& p) {
            p.mapType = TYPE_SINGLE;
            p.ItemCountOnList = 1;
            p.CapturedKeys.fill(0);
            p.CapturedKeys[0] = 0x41;
            p.KeyEnabled = 1;
        };
        clickKey(kQ);
        clickSave();
        ASSERT_EQ(keyboardEntry(kQ), (Entry{KIND_KEYS, 0, 0x04, 0}));

        std::filesystem::remove(dir / "keymap.bin");
        host.answer = c.answer;
        clickKey(kQ);
        clickSave();
        EXPECT_EQ(keyboardEntry(kQ), c.expected);
        EXPECT_EQ(rig.image->working.keyAssignments.records[kQ].keyCode, 0x51);
        EXPECT_EQ(test::readBytes(dir / "keymap.bin").at(kMouseDataSize + kQ * kKeyAssignmentSize), 0x51);
    }
    EXPECT_EQ(host.messages, 0);  // a missing file is no fault to report
}

}  // namespace
}  // namespace orvane
