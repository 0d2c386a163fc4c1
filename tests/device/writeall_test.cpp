#include <cstring>

#include "keyboardstate/keytables.h"
#include "linkfixture.h"
#include "settings/macroslots.h"
#include "unplugbattery.h"

namespace orvane {
namespace {

using test::ConnectedRig;
using test::sentCommands;
using Names = std::vector<std::string>;

MouseData& working(ConnectedRig& rig) { return rig.image->working.mouseData; }
MouseData& saved(ConnectedRig& rig) { return rig.image->saved.mouseData; }

TEST(WriteAll, OnlyTheSpeedChanged) {
    ConnectedRig rig;
    working(rig).ledEffect.LEDEffectSpeed = 2;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()), (Names{"SetLightingEffect/1", "SetLightingEffect/2"}));
    // one acknowledgement between the phases, and only the two 10 ms paces
    EXPECT_EQ(test::entriesOf(rig.keyboard->transcript(), TranscriptEntry::Kind::EventIn).size(), 1u);
    EXPECT_EQ(rig.sleeper.waits(), (std::vector<int>{10, 10}));
    EXPECT_EQ(rig.keyboard->memory().ledEffect.LEDEffectSpeed, 8);
    EXPECT_EQ(saved(rig).ledEffect.LEDEffectSpeed, 2);
}

TEST(WriteAll, OneColourOfTableTwo) {
    ConnectedRig rig;
    keyColorTable(working(rig), 2)[KeyPositionEntryMap[10] + 1] ^= 0xFF;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()),
              (Names{"SetLightingEffect/1", "WriteKeyColorTable/2", "SetLightingEffect/2"}));
    EXPECT_TRUE(std::ranges::equal(keyColorTable(rig.keyboard->memory(), 2), keyColorTable(working(rig), 2)));
}

TEST(WriteAll, WinLockOnSendsTheMaskWithoutTheLeftWindowsBit) {
    ConnectedRig rig;
    ASSERT_EQ(working(rig).WinLock, 0);
    working(rig).WinLock = 1;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()),
              (Names{"SetLightingEffect/1", "WriteKeyEnableMask", "SetLightingEffect/2"}));
    EXPECT_EQ(rig.keyboard->memory().KeyEnableMask[1] & 0x01, 0);
    EXPECT_EQ(working(rig).KeyEnableMask[1], 0x3E & 0xFF);
}

TEST(WriteAll, EveryGroupInOrderWithOneAcknowledgementEach) {
    ConnectedRig rig;
    MouseData& w = working(rig);
    paletteColor(w, 0)[0] ^= 1;
    w.GameMode ^= 1;
    w.ReportRate = static_cast<std::uint8_t>((w.ReportRate + 1) % 4);
    w.ResponseTime += 1;
    w.DeviceKeyTable[42] ^= 1;  // a usage byte: the kind must stay one the keyboard knows
    w.KeyEnableMask[3] ^= 1;
    macroSlot(w, 4)[0] = 9;
    macroSlot(w, 30)[5] = 9;
    keyColorTable(w, 0)[8] ^= 1;
    keyColorTable(w, 4)[8] ^= 1;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    Names expected{"SetLightingEffect/1"};
    for (int i = 0; i < 7; ++i) expected.push_back("SetPaletteColor/" + std::to_string(i));
    for (const char* n : {"SetGameMode/" , "SetReportRate", "SetResponseTime", "WriteKeyTable", "WriteKeyEnableMask",
                          "WriteMacroSlot/4", "WriteMacroSlot/30", "WriteKeyColorTable/0", "WriteKeyColorTable/4",
                          "SetLightingEffect/2"}) {
        expected.push_back(n);
    }
    expected[8] += std::to_string(w.GameMode);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()), expected);
    EXPECT_EQ(test::entriesOf(rig.keyboard->transcript(), TranscriptEntry::Kind::EventIn).size(), 11u);  // phase 1 and ten groups
    MouseData device = rig.keyboard->memory();
    device.ledEffect.LEDEffectSpeed = speedFromDevice(device.ledEffect.LEDEffectSpeed);
    device.WinLock = w.WinLock;
    EXPECT_EQ(std::memcmp(&device.DeviceKeyTable, &w.DeviceKeyTable, 512), 0);
    EXPECT_EQ(std::memcmp(&device.MacroSlots, &w.MacroSlots, w.MacroSlots.size()), 0);
}

TEST(WriteAll, SecondSaveSendsNothing) {
    ConnectedRig rig;
    working(rig).ReportRate = 3;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    rig.keyboard->clearTranscript();
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NothingChanged);
    EXPECT_TRUE(rig.keyboard->transcript().empty());
}

TEST(WriteAll, MissingAcknowledgementStopsKeepsSavedAndIsRetried) {
    ConnectedRig rig;
    rig.keyboard->setAcknowledging(false);
    working(rig).ResponseTime = 9;
    const MouseData before = saved(rig);
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NoAcknowledgement);
    // Stopped after phase 1: nothing further was sent, the saved copy is as it was.
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()), (Names{"SetLightingEffect/1"}));
    EXPECT_EQ(std::memcmp(&saved(rig), &before, sizeof before), 0);

    rig.keyboard->setAcknowledging(true);
    rig.keyboard->clearTranscript();
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()),
              (Names{"SetLightingEffect/1", "SetResponseTime", "SetLightingEffect/2"}));
    EXPECT_EQ(saved(rig).ResponseTime, 9);
}

TEST(WriteAll, LateAcknowledgementsAreWaitedForUpToTheLimit) {
    auto options = ConnectedRig::fastOptions();
    options.ackLimit = std::chrono::milliseconds(150);
    ConnectedRig rig(options);
    rig.keyboard->setAcknowledgementDelay(std::chrono::milliseconds(30));
    working(rig).ReportRate ^= 1;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);

    rig.keyboard->setAcknowledgementDelay(std::chrono::milliseconds(400));
    working(rig).ReportRate ^= 1;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NoAcknowledgement);
    EXPECT_NE(saved(rig).ReportRate, working(rig).ReportRate);
}

TEST(WriteAll, StaleAcknowledgementIsClearedBeforeTheFirstFrame) {
    ConnectedRig rig;
    rig.link.acknowledgement().clear();
    rig.keyboard->sendEventReport({4, 4, 0, 0});
    ASSERT_TRUE(rig.settle());
    ASSERT_TRUE(rig.link.acknowledgement().isSet());
    rig.keyboard->setAcknowledging(false);
    working(rig).GameMode ^= 1;
    // Were the stale flag kept, phase 1 would pass and SetGameMode would go out.
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NoAcknowledgement);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()), (Names{"SetLightingEffect/1"}));
}

TEST(WriteAll, WithoutTheEventInterfaceNothingIsSent) {
    test::VirtualRig rig;
    KeyboardLink link(rig.backend, rig.sleeper, rig.listener, ConnectedRig::fastOptions());
    ASSERT_EQ(link.openCommandInterface(), OpenOutcome::Opened);
    rig.image->working.mouseData.ReportRate = 2;
    EXPECT_EQ(link.writeAll(*rig.image), WriteResult::NoAcknowledgement);
    EXPECT_TRUE(rig.keyboard->transcript().empty());
    EXPECT_EQ(rig.image->saved.mouseData.ReportRate, 0);
}

TEST(WriteAll, UnplugWhileWaitingForTheAcknowledgementIsNotConnected) {
    ConnectedRig rig;
    rig.keyboard->setAcknowledgementDelay(std::chrono::milliseconds(5000));
    working(rig).ReportRate ^= 1;
    std::thread unplugger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        rig.keyboard->unplug();
    });
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NotConnected);  // long before the 1 s limit
    unplugger.join();
    EXPECT_NE(saved(rig).ReportRate, working(rig).ReportRate);
}

TEST(WriteAll, WithoutKeyboardReportsNotConnectedAndKeepsSaved) {
    ConnectedRig rig;
    rig.link.onRemoval();
    working(rig).GameMode ^= 1;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NotConnected);
    EXPECT_NE(saved(rig).GameMode, working(rig).GameMode);
}

TEST(WriteAll, ThreeNamedMacrosSendOnlyTheirSlots) {
    ConnectedRig rig;
    auto& store = rig.image->macroStore;
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(setFixedText(store.records[i].name, u"macro"));
        store.records[i].loopCount = 0x0123;
        store.records[i].deviceEvents[0] = static_cast<std::uint8_t>(i + 1);
    }
    ASSERT_EQ(fillMacroSlots(working(rig), store), 3u);
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    EXPECT_EQ(sentCommands(rig.keyboard->transcript()),
              (Names{"SetLightingEffect/1", "WriteMacroSlot/0", "WriteMacroSlot/1", "WriteMacroSlot/2",
                     "SetLightingEffect/2"}));
    EXPECT_EQ(macroSlot(rig.keyboard->memory(), 2)[0], 0x01);
    EXPECT_EQ(macroSlot(rig.keyboard->memory(), 2)[1], 0x23);
    EXPECT_EQ(macroSlot(rig.keyboard->memory(), 2)[2], 3);
}

TEST(ChangedGroups, ReservedBytesAndWinLockAloneAreNoGroup) {
    auto a = std::make_unique<MouseData>();
    auto b = std::make_unique<MouseData>();
    b->reserved12[5] = 1;
    b->reserved10059 = 1;
    b->WinLock = 1;
    EXPECT_FALSE(compareGroups(*a, *b).any());
    b->ledEffect.LEDEffectDirection = 3;
    EXPECT_TRUE(compareGroups(*a, *b).lighting);
}

}  // namespace
}  // namespace orvane

// Write-all with every group changed while one acknowledgement after the
// other goes wrong: it never comes, comes late (just under the 1 s limit)
// or comes twice. No hang, the saved copy kept when write-all did not
// finish, and the next Save leaves the keyboard holding the whole change.

namespace orvane {
namespace {

using test::ConnectedRig;
using test::Spread;
using test::Watchdog;
using Fault = VirtualKeyboard::AckFault;

// The acknowledgements one write-all of the change waits for.
unsigned acknowledgementsOfTheChange() {
    ConnectedRig rig;
    test::changeEveryGroup(rig.image->working.mouseData, Spread::FirstAndLast);
    rig.keyboard->setAcknowledgementFault(Fault::None);
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    return rig.keyboard->acknowledgements();
}

std::string ack(unsigned k) { return "acknowledgement " + std::to_string(k + 1); }

// The keyboard holds the working copy, which is also the saved one.
void expectApplied(ConnectedRig& rig, const std::string& run) {
    EXPECT_EQ(test::firstDifference(rig.image->working.mouseData, rig.keyboard->memory()), "") << run;
    EXPECT_TRUE(test::sameBytes(rig.image->saved.mouseData, rig.image->working.mouseData)) << run;
}

// With the fault gone, a Save sends every group again and applies them all.
void retry(ConnectedRig& rig, unsigned groups, const std::string& run) {
    rig.keyboard->setAcknowledgementFault(Fault::None);
    ASSERT_TRUE(rig.settle()) << run;
    ASSERT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent) << run;
    EXPECT_EQ(rig.keyboard->acknowledgements(), groups) << run;
    expectApplied(rig, run);
}

TEST(Acknowledgements, ThatNeverComeAtEveryGroup) {
    const unsigned groups = acknowledgementsOfTheChange();
    ASSERT_EQ(groups, 11u);  // phase 1, six groups, two macro slots, two colour tables
    Watchdog watchdog("acknowledgement battery, never");
    for (unsigned k = 0; k < groups; ++k) {
        watchdog.start(ack(k) + " never comes");
        ConnectedRig rig;
        test::changeEveryGroup(rig.image->working.mouseData, Spread::FirstAndLast);
        const MouseData savedBefore = rig.image->saved.mouseData;
        rig.keyboard->setAcknowledgementFault(Fault::Missing, k);
        ASSERT_EQ(rig.link.writeAll(*rig.image), WriteResult::NoAcknowledgement) << ack(k);
        // Nothing went out after the group that was not acknowledged.
        EXPECT_EQ(rig.keyboard->acknowledgements(), k + 1) << ack(k);
        EXPECT_TRUE(test::sameBytes(rig.image->saved.mouseData, savedBefore)) << ack(k);
        retry(rig, groups, ack(k));
        watchdog.finish();
    }
}

TEST(Acknowledgements, ThatComeJustUnderTheLimitAtEveryGroup) {
    const unsigned groups = acknowledgementsOfTheChange();
    const auto late = kAcknowledgementLimit - std::chrono::milliseconds(10);
    unsigned taken = 0;
    {
        Watchdog watchdog("acknowledgement battery, late");
        for (unsigned k = 0; k < groups; ++k) {
            watchdog.start(ack(k) + " late");
            ConnectedRig rig;
            test::changeEveryGroup(rig.image->working.mouseData, Spread::FirstAndLast);
            const MouseData savedBefore = rig.image->saved.mouseData;
            rig.keyboard->setAcknowledgementFault(Fault::Late, k, late);
            const WriteResult result = rig.link.writeAll(*rig.image);
            // 10 ms before the limit is a race a loaded machine may lose: then
            // it is a missing acknowledgement, and must be handled as one.
            ASSERT_TRUE(result == WriteResult::Sent || result == WriteResult::NoAcknowledgement) << ack(k);
            if (result == WriteResult::Sent) {
                ++taken;
                EXPECT_EQ(rig.keyboard->acknowledgements(), groups) << ack(k);
                expectApplied(rig, ack(k));
                ASSERT_TRUE(rig.settle()) << ack(k);
                EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NothingChanged) << ack(k);
            } else {
                EXPECT_TRUE(test::sameBytes(rig.image->saved.mouseData, savedBefore)) << ack(k);
                retry(rig, groups, ack(k));
            }
            watchdog.finish();
        }
    }
    std::printf("late acknowledgements taken: %u of %u\n", taken, groups);
}

TEST(Acknowledgements, ThatComeTwiceAtEveryGroupAndAlways) {
    const unsigned groups = acknowledgementsOfTheChange();
    Watchdog watchdog("acknowledgement battery, twice");
    for (unsigned k = 0; k <= groups; ++k) {
        const bool always = k == groups;
        const std::string run = always ? "every acknowledgement twice" : ack(k) + " twice";
        watchdog.start(run);
        ConnectedRig rig;
        test::changeEveryGroup(rig.image->working.mouseData, Spread::FirstAndLast);
        rig.keyboard->setAcknowledgementFault(Fault::Twice, always ? std::nullopt : std::optional<unsigned>(k));
        ASSERT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent) << run;
        expectApplied(rig, run);
        // The extra reports are stale by the next Save, which has nothing to send.
        ASSERT_TRUE(rig.settle()) << run;
        EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NothingChanged) << run;
        watchdog.finish();
    }
}

}  // namespace
}  // namespace orvane
