#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "device/linkfixture.h"
#include "mainwindow/model/keyboardsession.h"
#include "mainwindow/model/maincontroller.h"
#include "mainwindow/model/recordinghost.h"
#include "support/recordingshell.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

// What the session asked of the window.
struct SessionHost : KeyboardSessionHost {
    std::vector<std::string> calls;
    void startSettleTimer(std::chrono::milliseconds wait) override {
        calls.push_back("settle " + std::to_string(wait.count()));
    }
    void showAccessNotice(const AccessNotice&) override { calls.push_back("access notice"); }
    void showNoKeyboard() override { calls.push_back("no keyboard"); }
    void bringWindowToFront() override { calls.push_back("front"); }
    void startUpdater() override { calls.push_back("updater"); }
    void logWarning(const std::string&) override {}
};

class KeyboardSessionTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::VirtualRig rig;
    KeyboardLink link{rig.backend, rig.sleeper, rig.listener};
    MainWindowState state;
    test::RecordingHost window;
    MainWindowController controller{*rig.image, state, dir.path(), window};
    test::ScriptedDialogs dialogs;
    test::RecordingShell shell;
    DataFolders folders{dir.path(), dir.path()};
    SessionHost host;
    KeyboardSession session{{*rig.image, link, controller, dialogs, shell, folders, host, std::chrono::milliseconds(5)}};
};

TEST_F(KeyboardSessionTest, ArrivalsWaitOneSettleTimeThenReadTheKeyboard) {
    rig.keyboard->unplug();
    session.started(session.start());
    EXPECT_FALSE(link.commandOpen());
    rig.keyboard->plug();
    session.deviceArrived();
    session.deviceArrived();  // a second notification while the first one settles
    EXPECT_EQ(host.calls, (std::vector<std::string>{"settle 5"}));
    EXPECT_FALSE(session.rescanFindsKeyboard());  // the pending arrival will find it
    session.settled();
    EXPECT_TRUE(link.commandOpen());
    EXPECT_GE(window.paints, 1);
    session.deviceRemoved();
    EXPECT_FALSE(link.commandOpen());
    session.trayActivated();
    EXPECT_EQ(host.calls.back(), "no keyboard");
    link.shutdown();
}

TEST_F(KeyboardSessionTest, ARefusingKeyboardIsExplainedOnceAndAgainOnlyWhenAskedFor) {
    rig.keyboard->setOpenRefused(true);
    session.started(session.start());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"access notice"}));
    for (int arrival = 0; arrival < 3; ++arrival) {
        session.deviceArrived();
        session.settled();
    }
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "access notice"), 1);
    session.trayActivated();  // asked for: said again, not "no keyboard"
    EXPECT_EQ(host.calls.back(), "access notice");

    rig.keyboard->setOpenRefused(false);
    session.deviceArrived();
    session.settled();
    EXPECT_TRUE(link.commandOpen());
    session.trayActivated();
    EXPECT_EQ(host.calls.back(), "front");
    link.shutdown();
}

TEST_F(KeyboardSessionTest, AFailedHostActionIsToldOncePerPath) {
    shell.succeeds = false;
    KeyAssignment& esc = rig.image->working.keyAssignments.records[0];
    esc.keyCode = 0x1B;
    esc.mapType = TYPE_OPEN_FOLDER;
    ASSERT_TRUE(setFixedText(esc.actionPath, u"/nowhere/at/all"));
    session.hostKeyPressed(0x1B);
    session.hostKeyPressed(0x1B);
    EXPECT_EQ(shell.opened.size(), 2u);  // tried each time
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

}  // namespace
}  // namespace orvane
