#include <poll.h>

#include "keyboardstate/keytables.h"
#include "linkfixture.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"
#include "unplugbattery.h"

namespace orvane {
namespace {

using test::ConnectedRig;
using test::sentCommands;
using test::VirtualRig;
using Names = std::vector<std::string>;

Names readAllBody(bool withFirmware) {
    Names n{"SetGameMode/1"};
    if (withFirmware) n.push_back("GetFirmwareVersion");
    n.push_back("GetLightingEffect");
    for (int i = 0; i < 7; ++i) n.push_back("GetPaletteColor/" + std::to_string(i));
    for (const char* c : {"GetGameMode", "GetReportRate", "GetResponseTime", "ReadKeyTable", "ReadKeyEnableMask"}) {
        n.push_back(c);
    }
    for (int s = 0; s < 32; ++s) n.push_back("ReadMacroSlot/" + std::to_string(s));
    for (int t = 0; t < 5; ++t) n.push_back("ReadKeyColorTable/" + std::to_string(t));
    return n;
}

TEST(ReadAllThread, ReadsInOrderAndHandsTheKeyboardStateOver) {
    VirtualRig rig;
    rig.keyboard->setFirmwareVersion(2, 3);
    MouseData memory = rig.keyboard->memory();
    memory.KeyEnableMask[1] = 0x3E;  // Windows key locked
    memory.ReportRate = 2;
    rig.keyboard->setMemory(memory);
    rig.image->working.mouseData.reserved12[0] = 0x77;  // from keymap.bin: must survive

    KeyboardLink link(rig.backend, rig.sleeper, rig.listener, ConnectedRig::fastOptions());
    link.start(rig.image->working.mouseData);
    ASSERT_TRUE(rig.listener.waitUntil([&] { return rig.listener.readAllFinished == 1; }));
    EXPECT_TRUE(rig.listener.refreshes.empty());  // nothing reaches the image before the hand-over
    EXPECT_EQ(rig.image->working.mouseData.ReportRate, 0);

    ASSERT_TRUE(link.finishReadAll(*rig.image));
    EXPECT_FALSE(link.finishReadAll(*rig.image));  // once only
    EXPECT_EQ(rig.listener.refreshes, (std::vector<int>{0}));
    const MouseData& w = rig.image->working.mouseData;
    EXPECT_EQ(w.ReportRate, 2);
    EXPECT_EQ(w.WinLock, 1);
    EXPECT_EQ(w.reserved12[0], 0x77);
    EXPECT_EQ(w.ledEffect.LEDEffectSpeed, speedFromDevice(memory.ledEffect.LEDEffectSpeed));
    EXPECT_EQ(w.DeviceKeyTable, memory.DeviceKeyTable);
    EXPECT_EQ(w.KeyColorTables, memory.KeyColorTables);
    EXPECT_EQ(std::memcmp(&rig.image->saved.mouseData, &w, sizeof w), 0);
    EXPECT_EQ(rig.image->deviceFirmwareVersion, (std::array<std::uint8_t, 4>{2, 3, 0, 0}));
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()), readAllBody(true));
    // A yield after each macro slot, and the colour tables' 5 ms paces.
    const auto waits = rig.sleeper.waits();
    EXPECT_EQ(std::count(waits.begin(), waits.end(), 0), 32);
    EXPECT_EQ(test::totalWaits(waits), 20 + 20 + 10 + 14 + 5 + 20 + 20 + 5 * 50);
    link.shutdown();
    EXPECT_FALSE(link.readAllThreadRunning());
}

TEST(ReadAll, ArrivalVariantWaitsTenAfterGameModeAndSkipsTheVersion) {
    VirtualRig rig;
    auto handle = rig.commandHandle();
    auto data = std::make_unique<MouseData>();
    readAll(*handle, *data);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()), readAllBody(false));
    const auto waits = rig.sleeper.waits();
    ASSERT_GE(waits.size(), 2u);
    EXPECT_EQ(waits[0], 20);
    EXPECT_EQ(waits[1], 10);
    EXPECT_EQ(test::totalWaits(waits), 20 + 10 + 10 + 14 + 5 + 20 + 20 + 5 * 50);
}

TEST(Reader, KeyEventsArePostedAndAcknowledgementsOnlySetTheFlag) {
    ConnectedRig rig;
    MouseData memory = rig.keyboard->memory();
    const std::size_t slot = KeyPositionEntryMap[30] / 4;
    deviceKeyEntry(memory, slot * 4)[0] = KIND_HOST;
    deviceKeyEntry(memory, slot * 4)[2] = 0x41;
    rig.keyboard->setMemory(memory);

    EXPECT_FALSE(rig.keyboard->pressKey(slot + 1));  // an ordinary key sends nothing
    EXPECT_TRUE(rig.keyboard->pressKey(slot));
    ASSERT_TRUE(rig.listener.waitUntil([&] { return rig.listener.keyEvents.size() == 1; }));
    EXPECT_EQ(rig.listener.keyEvents[0], 0x41);

    rig.link.acknowledgement().clear();
    rig.keyboard->sendEventReport({3, 1, 0x42, 0});  // another collection's report: not ours
    rig.keyboard->sendEventReport({4, 4, 0x43, 0});  // acknowledgement outside write-all
    ASSERT_TRUE(rig.settle());
    EXPECT_TRUE(rig.link.acknowledgement().isSet());
    std::lock_guard lock(rig.listener.mutex);
    EXPECT_EQ(rig.listener.keyEvents, (std::vector<std::uint8_t>{0x41}));
}

// The settle wait is the window's timer; the link itself never sleeps it on
// the thread that called it.
TEST(Arrival, WhileConnectedDoesNothing) {
    ConnectedRig rig;
    const auto result = rig.link.onArrival(*rig.image);
    EXPECT_FALSE(result.commandOpened);
    EXPECT_FALSE(result.eventOpened);
    EXPECT_FALSE(result.cannotOpen);
    EXPECT_TRUE(rig.sleeper.waits().empty());
    EXPECT_TRUE(rig.keyboard->transcript().empty());
}

TEST(Arrival, RemovalThenReplugReadsTheKeyboardAndRefreshes) {
    ConnectedRig rig;
    rig.keyboard->unplug();
    rig.link.onRemoval();
    EXPECT_EQ(rig.sleeper.waits(), (std::vector<int>{500, 200}));
    EXPECT_FALSE(rig.link.commandOpen());
    EXPECT_FALSE(rig.link.eventOpen());
    EXPECT_FALSE(rig.link.readerRunning());
    EXPECT_FALSE(rig.link.rescanFindsKeyboard());

    MouseData memory = rig.keyboard->memory();
    memory.ledEffect.LEDEffectBrightness = 17;
    memory.ReportRate = 3;
    rig.keyboard->setMemory(memory);
    rig.keyboard->setFirmwareVersion(4, 1);
    rig.keyboard->plug();
    EXPECT_TRUE(rig.link.rescanFindsKeyboard());
    rig.keyboard->clearTranscript();
    rig.sleeper.clear();
    const auto saved = rig.image->saved.mouseData;

    const auto result = rig.link.onArrival(*rig.image);
    // Only the read's own pacing: no settle wait on the caller's thread.
    const auto waits = rig.sleeper.waits();
    EXPECT_EQ(test::totalWaits(waits), 20 + 10 + 10 + 14 + 5 + 20 + 20 + 5 * 50 + 5 * 50 + 20);
    EXPECT_TRUE(result.commandOpened);
    EXPECT_TRUE(result.eventOpened);
    EXPECT_EQ(rig.image->working.mouseData.ledEffect.LEDEffectBrightness, 17);
    EXPECT_EQ(rig.image->working.mouseData.ReportRate, 3);
    EXPECT_TRUE(rig.link.readerRunning());
    EXPECT_EQ(rig.listener.refreshes, (std::vector<int>{0, 0}));
    EXPECT_EQ(rig.image->deviceFirmwareVersion, (std::array<std::uint8_t, 4>{4, 1, 0, 0}));
    // The saved copy follows the keyboard, not the state before it went away.
    EXPECT_NE(std::memcmp(&rig.image->saved.mouseData, &saved, sizeof saved), 0);
    EXPECT_EQ(std::memcmp(&rig.image->saved.mouseData, &rig.image->working.mouseData, sizeof saved), 0);
    Names expected = readAllBody(false);
    for (int t = 0; t < 5; ++t) expected.push_back("ReadKeyColorTable/" + std::to_string(t));
    expected.push_back("GetFirmwareVersion");
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()), expected);
}

// Listed but refused (no udev rule, or held by another program): told apart
// from "not there", nothing opened, nothing waited for, and a later arrival
// once access is granted connects as usual.
TEST(Arrival, AKeyboardThatRefusesToOpenIsReportedAsSuch) {
    VirtualRig rig;
    rig.keyboard->setOpenRefused(true);
    KeyboardLink link(rig.backend, rig.sleeper, rig.listener, ConnectedRig::fastOptions());
    const auto started = link.start(rig.image->working.mouseData);
    EXPECT_FALSE(started.commandOpened);
    EXPECT_FALSE(started.eventOpened);
    EXPECT_TRUE(started.cannotOpen);
    EXPECT_FALSE(link.readAllThreadRunning());
    EXPECT_EQ(link.openCommandInterface(), OpenOutcome::CannotOpen);
    EXPECT_TRUE(link.rescanFindsKeyboard());

    const auto refused = link.onArrival(*rig.image);
    EXPECT_TRUE(refused.cannotOpen);
    EXPECT_FALSE(refused.commandOpened);
    EXPECT_TRUE(rig.sleeper.waits().empty());
    EXPECT_TRUE(rig.keyboard->transcript().empty());

    rig.keyboard->unplug();
    EXPECT_EQ(link.openCommandInterface(), OpenOutcome::NotFound);
    EXPECT_FALSE(link.onArrival(*rig.image).cannotOpen);

    rig.keyboard->setOpenRefused(false);
    rig.keyboard->plug();
    const auto granted = link.onArrival(*rig.image);
    EXPECT_FALSE(granted.cannotOpen);
    EXPECT_TRUE(granted.commandOpened);
    EXPECT_TRUE(granted.eventOpened);
}

TEST(Removal, DuringTheReadAllThreadItStillEndsAndHandsOver) {
    VirtualRig rig;
    rig.keyboard->unplugAfterTransfers(40);
    KeyboardLink link(rig.backend, rig.sleeper, rig.listener, ConnectedRig::fastOptions());
    link.start(rig.image->working.mouseData);
    ASSERT_TRUE(rig.listener.waitUntil([&] { return rig.listener.readAllFinished == 1; }));
    EXPECT_TRUE(rig.listener.waitUntil([&] { return rig.listener.deviceLost >= 1; }));
    link.onRemoval();
    EXPECT_TRUE(link.finishReadAll(*rig.image));
    EXPECT_FALSE(link.commandOpen());
    link.shutdown();
    EXPECT_FALSE(link.readAllThreadRunning());
    EXPECT_FALSE(link.readerRunning());
}

// Two keyboards and an unrelated device, as the enumeration could list them.
class ListedBackend : public HidBackend {
public:
    std::vector<HidInterface> enumerate() override {
        return {{"hid#vid_046d&pid_c52b&mi_03#/dev/hidraw0", "/dev/hidraw0", 0x046D, 0xC52B},
                {"hid#vid_04d9&pid_a12d&mi_00#/dev/hidraw1", "/dev/hidraw1", 0x04D9, 0xA12D},
                {"hid#vid_04d9&pid_a12d&mi_01&col04#/dev/hidraw2", "/dev/hidraw2", 0x04D9, 0xA12D},
                {"hid#vid_04d9&pid_a12d&mi_03#/dev/hidraw3", "/dev/hidraw3", 0x04D9, 0xA12D},
                {"hid#vid_04d9&pid_a12d&mi_01&col04#/dev/hidraw6", "/dev/hidraw6", 0x04D9, 0xA12D},
                {"hid#vid_04d9&pid_a12d&mi_03#/dev/hidraw7", "/dev/hidraw7", 0x04D9, 0xA12D}};
    }
    std::unique_ptr<HidDevice> open(const std::string&) override { return nullptr; }
    std::unique_ptr<HotplugMonitor> watchHotplug() override { return nullptr; }
};

TEST(Discovery, FirstMatchPerSelectorAndOtherVendorsSkipped) {
    ListedBackend backend;
    EXPECT_EQ(discoverInterface(backend, kCommandSelector)->node, "/dev/hidraw3");
    EXPECT_EQ(discoverInterface(backend, kEventSelector)->node, "/dev/hidraw2");
    EXPECT_FALSE(discoverInterface(backend, "MI_03").has_value());  // case-sensitive
}

TEST(Discovery, InterfacesMatchingNeitherSelectorAreNeverOpened) {
    ConnectedRig rig;
    EXPECT_EQ(rig.backend.openedNodes(),
              (std::vector<std::string>{VirtualHidBackend::kCommandNode, VirtualHidBackend::kEventNode}));
}

TEST(Hotplug, VirtualPlugAndUnplugReachTheMonitor) {
    VirtualRig rig;
    auto monitor = rig.backend.watchHotplug();
    ASSERT_NE(monitor, nullptr);
    rig.keyboard->unplug();
    rig.keyboard->unplug();  // already out: no second event
    pollfd p{monitor->fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 1000), 1);
    EXPECT_EQ(monitor->takeEvents(), (std::vector<HotplugEvent>{HotplugEvent::Removal}));
    rig.keyboard->plug();
    EXPECT_EQ(monitor->takeEvents(), (std::vector<HotplugEvent>{HotplugEvent::Arrival}));
    EXPECT_TRUE(monitor->takeEvents().empty());
}

TEST(TransferLoss, CountsAsRemovalOnceAndClosesTheHandle) {
    ConnectedRig rig;
    rig.keyboard->unplug();
    rig.image->working.mouseData.GameMode ^= 1;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NotConnected);
    EXPECT_FALSE(rig.link.commandOpen());
    ASSERT_TRUE(rig.listener.waitUntil([&] { return rig.listener.deviceLost >= 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // the reader notices too
    std::lock_guard lock(rig.listener.mutex);
    EXPECT_EQ(rig.listener.deviceLost.load(), 1);
}

TEST(FactoryReset, ResetsTheKeyboardReadsItBackAndRestoresDefaults) {
    test::TempDir dir;
    ConnectedRig rig;
    MouseData memory = rig.keyboard->memory();
    memory.ledEffect.LEDEffectMode = 9;
    memory.DeviceKeyTable[100] = 0x33;
    rig.keyboard->setMemory(memory);
    rig.image->working.keyAssignments.records[5].mapType = TYPE_MACRO;
    rig.image->working.keyAssignments.records[200].keyCode = 0x99;
    rig.image->modifiedKeyFlags.fill(1);

    rig.link.factoryResetAndRead(rig.image->working.mouseData);
    const bool keymapWritten = settleAfterFactoryReset(*rig.image, dir.path());
    const Names sent = sentCommands(rig.keyboard->transcript());
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(Names(sent.begin(), sent.begin() + 4),
              (Names{"FactoryReset", "SetGameMode/1", "SetGameMode/1", "SetGameMode/1"}));
    const auto waits = rig.sleeper.waits();
    EXPECT_EQ(std::vector<int>(waits.begin(), waits.begin() + 3), (std::vector<int>{300, 300, 300}));

    const MouseData& w = rig.image->working.mouseData;
    EXPECT_EQ(w.ledEffect.LEDEffectMode, VirtualKeyboard::factoryMemory().ledEffect.LEDEffectMode);
    EXPECT_EQ(w.DeviceKeyTable, DefaultDeviceKeyTable);
    EXPECT_TRUE(std::ranges::all_of(w.KeyEnableMask, [](auto b) { return b == 0xFF; }));
    EXPECT_TRUE(std::ranges::all_of(rig.image->modifiedKeyFlags, [](auto b) { return b == 0; }));
    EXPECT_EQ(rig.image->working.keyAssignments.records[5].mapType, 0);
    EXPECT_EQ(rig.image->working.keyAssignments.records[5].keyCode, VirtualKeyDefaults[5]);
    EXPECT_EQ(rig.image->working.keyAssignments.records[200].keyCode, 0);
    EXPECT_TRUE(keymapWritten);
    EXPECT_EQ(std::memcmp(&rig.image->saved, &rig.image->working, sizeof(SettingsCopy)), 0);
    EXPECT_EQ(test::readBytes(dir / kKeymapFileName).size(), kKeymapFileSize);
}

TEST(RefreshSteps, AfterAKeyboardReadTheEffectIsReadAgainAndKeymapWritten) {
    test::TempDir dir;
    ConnectedRig rig;
    rig.image->working.mouseData.KeyEnableMask[0] = 0;  // slots 0..5 disabled
    const bool keymapWritten = runRefreshSteps(rig.link, *rig.image, dir.path(), kRefreshAfterKeyboardRead);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()), (Names{"GetLightingEffect"}));
    EXPECT_TRUE(keymapWritten);
    EXPECT_EQ(rig.image->modifiedKeyFlags[95], 1);  // position 95 sits in slot 0

    rig.keyboard->clearTranscript();
    runRefreshSteps(rig.link, *rig.image, dir.path(), kRefreshAfterProfile);
    EXPECT_TRUE(rig.keyboard->transcript().empty());
}

}  // namespace
}  // namespace orvane

// Unplugging at every transfer of the start-up read, write-all with every
// group changed, the factory reset and the arrival: no hang, no crash, the
// saved copy kept when write-all did not finish, the reader ended, and after
// a replug the arrival reads the keyboard again and a Save sends the whole
// change. Each battery prints its count of runs and its slowest run.

namespace orvane {
namespace {

using test::ConnectedRig;
using test::Spread;
using test::VirtualRig;
using test::Watchdog;

std::string at(unsigned n) { return "unplug at transfer " + std::to_string(n + 1); }

unsigned transfersOfStartUp() {
    VirtualRig rig;
    KeyboardLink link(rig.backend, rig.sleeper, rig.listener, ConnectedRig::fastOptions());
    link.start(rig.image->working.mouseData);
    EXPECT_TRUE(rig.listener.waitUntil([&] { return rig.listener.readAllFinished == 1; }));
    EXPECT_TRUE(link.finishReadAll(*rig.image));
    return rig.keyboard->transfers();
}

TEST(Unplug, AtEveryTransferOfTheStartUpRead) {
    const unsigned total = transfersOfStartUp();
    ASSERT_GT(total, 200u);
    // Counted after one whole run: sanitizers start a helper thread of their own.
    const std::size_t threadsBefore = test::threadCount();
    {
        Watchdog watchdog("unplug battery, start-up read");
        for (unsigned n = 0; n <= total; ++n) {
            watchdog.start(at(n));
            VirtualRig rig;
            rig.keyboard->unplugAfterTransfers(n);
            KeyboardLink link(rig.backend, rig.sleeper, rig.listener, ConnectedRig::fastOptions());
            link.start(rig.image->working.mouseData);
            // The thread ends with its hand-over whether or not the keyboard stayed.
            ASSERT_TRUE(rig.listener.waitUntil([&] { return rig.listener.readAllFinished == 1; })) << at(n);
            ASSERT_TRUE(link.finishReadAll(*rig.image)) << at(n);
            ASSERT_TRUE(test::eventually([&] { return !link.readAllThreadRunning(); }, test::kHangLimit)) << at(n);
            ASSERT_EQ(rig.keyboard->plugged(), n == total) << at(n);
            test::removeReplugAndSave(rig, link, Spread::Every, at(n));
            if (HasFatalFailure()) return;
            watchdog.finish();
        }
    }
    EXPECT_TRUE(test::threadsBackTo(threadsBefore));
}

TEST(Unplug, AtEveryTransferOfWriteAllWithEveryGroupChanged) {
    unsigned total = 0;
    {
        ConnectedRig rig;
        const unsigned before = rig.keyboard->transfers();
        test::changeEveryGroup(rig.image->working.mouseData, Spread::Every);
        ASSERT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
        total = rig.keyboard->transfers() - before;
    }
    ASSERT_GT(total, 150u);
    const std::size_t threadsBefore = test::threadCount();
    {
        Watchdog watchdog("unplug battery, write-all");
        for (unsigned n = 0; n <= total; ++n) {
            watchdog.start(at(n));
            ConnectedRig rig;
            test::changeEveryGroup(rig.image->working.mouseData, Spread::Every);
            const MouseData savedBefore = rig.image->saved.mouseData;
            rig.keyboard->unplugAfterTransfers(n);
            const WriteResult result = rig.link.writeAll(*rig.image);
            if (n < total) {
                ASSERT_EQ(result, WriteResult::NotConnected) << at(n);
                ASSERT_TRUE(test::sameBytes(rig.image->saved.mouseData, savedBefore)) << at(n);
            } else {
                ASSERT_EQ(result, WriteResult::Sent) << at(n);
            }
            test::removeReplugAndSave(rig, rig.link, Spread::Every, at(n));
            if (HasFatalFailure()) return;
            watchdog.finish();
        }
    }
    EXPECT_TRUE(test::threadsBackTo(threadsBefore));
}

TEST(Unplug, AtEveryTransferOfTheFactoryReset) {
    unsigned total = 0;
    {
        ConnectedRig rig;
        const unsigned before = rig.keyboard->transfers();
        rig.link.factoryResetAndRead(rig.image->working.mouseData);
        total = rig.keyboard->transfers() - before;
    }
    ASSERT_GT(total, 200u);
    const std::size_t threadsBefore = test::threadCount();
    {
        Watchdog watchdog("unplug battery, factory reset");
        for (unsigned n = 0; n <= total; ++n) {
            watchdog.start(at(n));
            ConnectedRig rig;
            // The keyboard holds a change the reset must undo.
            MouseData changed = rig.keyboard->memory();
            changed.ledEffect.LEDEffectMode = 13;
            changed.ResponseTime = 9;
            rig.keyboard->setMemory(changed);
            rig.keyboard->unplugAfterTransfers(n);
            rig.link.factoryResetAndRead(rig.image->working.mouseData);
            ASSERT_EQ(rig.keyboard->plugged(), n == total) << at(n);
            if (n == total) {
                ASSERT_EQ(test::firstDifference(rig.image->working.mouseData, rig.keyboard->memory()), "") << at(n);
            }
            test::removeReplugAndSave(rig, rig.link, Spread::Every, at(n));
            if (HasFatalFailure()) return;
            watchdog.finish();
        }
    }
    EXPECT_TRUE(test::threadsBackTo(threadsBefore));
}

// A link that has lost its keyboard and sees it arrive again.
struct AwayRig : ConnectedRig {
    AwayRig() {
        keyboard->unplug();
        link.onRemoval();
        keyboard->plug();
        // While it was away it was set up elsewhere.
        MouseData elsewhere = keyboard->memory();
        elsewhere.ledEffect.LEDEffectBrightness = 33;
        keyboard->setMemory(elsewhere);
        keyboard->clearTranscript();
    }
};

TEST(Unplug, AtEveryTransferOfTheArrival) {
    unsigned total = 0;
    {
        AwayRig rig;
        const unsigned before = rig.keyboard->transfers();
        ASSERT_TRUE(rig.link.onArrival(*rig.image).commandOpened);
        total = rig.keyboard->transfers() - before;
    }
    ASSERT_GT(total, 200u);
    const std::size_t threadsBefore = test::threadCount();
    {
        Watchdog watchdog("unplug battery, arrival");
        for (unsigned n = 0; n <= total; ++n) {
            watchdog.start(at(n));
            AwayRig rig;
            const MouseData savedBefore = rig.image->saved.mouseData;
            rig.keyboard->unplugAfterTransfers(n);
            const ArrivalResult arrival = rig.link.onArrival(*rig.image);
            ASSERT_TRUE(arrival.commandOpened) << at(n);
            // A read cut short is no state of the keyboard: the saved copy stays.
            ASSERT_EQ(arrival.eventOpened, n == total) << at(n);
            if (n < total) {
                ASSERT_TRUE(test::sameBytes(rig.image->saved.mouseData, savedBefore)) << at(n);
            }
            test::removeReplugAndSave(rig, rig.link, Spread::Every, at(n));
            if (HasFatalFailure()) return;
            watchdog.finish();
        }
    }
    EXPECT_TRUE(test::threadsBackTo(threadsBefore));
}

// Back from elsewhere with another state, the keyboard gets a change that
// happens to restore the state from before it left.
TEST(Unplug, AChangeBackToTheStateBeforeTheKeyboardLeftIsSent) {
    AwayRig rig;
    const std::uint8_t before = rig.image->saved.mouseData.ledEffect.LEDEffectBrightness;
    ASSERT_NE(before, 33);
    rig.link.onArrival(*rig.image);
    ASSERT_EQ(rig.image->working.mouseData.ledEffect.LEDEffectBrightness, 33);
    rig.image->working.mouseData.ledEffect.LEDEffectBrightness = before;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    EXPECT_EQ(rig.keyboard->memory().ledEffect.LEDEffectBrightness, before);
}

}  // namespace
}  // namespace orvane
