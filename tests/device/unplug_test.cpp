// Unplugging at every transfer of the start-up read, write-all with every
// group changed, the factory reset and the arrival: no hang, no crash, the
// saved copy kept when write-all did not finish, the reader ended, and after
// a replug the arrival reads the keyboard again and a Save sends the whole
// change. Each battery prints its count of runs and its slowest run.
#include "unplugbattery.h"

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
            ASSERT_TRUE(test::eventually([&] { return !link.readAllThreadRunning(); })) << at(n);
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
