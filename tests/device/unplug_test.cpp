// Unplugging at every step of read-all and write-all: no hang, no crash, no
// thread left behind, and the link comes back on replug.
#include <filesystem>

#include "linkfixture.h"

namespace orvane {
namespace {

using test::ConnectedRig;
using test::VirtualRig;

std::size_t threadCount() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) ++n;
    return n;
}

// The window's side: a lost device is a removal, a replug an arrival.
void replugAndReconnect(VirtualRig& rig, KeyboardLink& link) {
    link.onRemoval();
    rig.keyboard->unplugAfterTransfers(std::nullopt);
    rig.keyboard->plug();
    ASSERT_TRUE(link.rescanFindsKeyboard());
    const auto arrival = link.onArrival(*rig.image);
    ASSERT_TRUE(link.commandOpen());
    ASSERT_TRUE(link.eventOpen());
    ASSERT_TRUE(link.readerRunning());
    (void)arrival;
    // The reconnected link carries a change to the keyboard.
    rig.image->working.mouseData.ResponseTime = static_cast<std::uint8_t>(rig.image->saved.mouseData.ResponseTime + 1);
    ASSERT_EQ(link.writeAll(*rig.image), WriteResult::Sent);
    ASSERT_EQ(rig.keyboard->memory().ResponseTime, rig.image->working.mouseData.ResponseTime);
}

unsigned transfersOfStartUp() {
    VirtualRig rig;
    KeyboardLink link(rig.backend, rig.sleeper, rig.listener, ConnectedRig::fastOptions());
    link.start(rig.image->working.mouseData);
    EXPECT_TRUE(rig.listener.waitUntil([&] { return rig.listener.readAllFinished == 1; }));
    return rig.keyboard->transfers();
}

TEST(Unplug, AtEveryTransferOfTheStartUpRead) {
    const unsigned total = transfersOfStartUp();
    // Counted after one whole run: sanitizers start a helper thread of their own.
    const std::size_t threadsBefore = threadCount();
    ASSERT_GT(total, 200u);
    for (unsigned n = 0; n <= total; ++n) {
        VirtualRig rig;
        rig.keyboard->unplugAfterTransfers(n);
        {
            KeyboardLink link(rig.backend, rig.sleeper, rig.listener, ConnectedRig::fastOptions());
            link.start(rig.image->working.mouseData);
            ASSERT_TRUE(rig.listener.waitUntil([&] { return rig.listener.readAllFinished == 1; })) << n;
            ASSERT_TRUE(link.finishReadAll(*rig.image)) << n;
            if (n < total) {
                ASSERT_TRUE(rig.listener.waitUntil([&] { return rig.listener.deviceLost >= 1; })) << n;
                ASSERT_FALSE(link.commandOpen()) << n;
            }
            replugAndReconnect(rig, link);
        }
        ASSERT_EQ(threadCount(), threadsBefore) << n;
    }
}

TEST(Unplug, AtEveryTransferOfWriteAll) {
    auto change = [](MouseData& w) {
        paletteColor(w, 6)[1] ^= 0x10;
        w.GameMode ^= 1;
        w.DeviceKeyTable[8] ^= 1;
        w.WinLock ^= 1;
        macroSlot(w, 3)[100] ^= 1;
        keyColorTable(w, 1)[64] ^= 1;
    };
    unsigned total = 0;
    {
        ConnectedRig rig;
        const unsigned before = rig.keyboard->transfers();
        change(rig.image->working.mouseData);
        ASSERT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
        total = rig.keyboard->transfers() - before;
    }
    ASSERT_GT(total, 20u);
    const std::size_t threadsBefore = threadCount();
    for (unsigned n = 0; n <= total; ++n) {
        {
            ConnectedRig rig;
            change(rig.image->working.mouseData);
            const MouseData savedBefore = rig.image->saved.mouseData;
            rig.keyboard->unplugAfterTransfers(n);
            const WriteResult result = rig.link.writeAll(*rig.image);
            if (n < total) {
                ASSERT_EQ(result, WriteResult::NotConnected) << n;
                ASSERT_EQ(std::memcmp(&rig.image->saved.mouseData, &savedBefore, sizeof savedBefore), 0) << n;
            } else {
                ASSERT_EQ(result, WriteResult::Sent) << n;
            }
            replugAndReconnect(rig, rig.link);
        }
        ASSERT_EQ(threadCount(), threadsBefore) << n;
    }
}

}  // namespace
}  // namespace orvane
