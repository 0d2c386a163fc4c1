#include <poll.h>

#include "keymap/keytables.h"
#include "linkfixture.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"

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
