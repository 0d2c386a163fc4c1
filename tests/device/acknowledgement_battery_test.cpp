// Write-all with every group changed while one acknowledgement after the
// other goes wrong: it never comes, comes late (just under the 1 s limit)
// or comes twice. No hang, the saved copy kept when write-all did not
// finish, and the next Save leaves the keyboard holding the whole change.
#include "unplugbattery.h"

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
