#include <gtest/gtest.h>

#include "support/tempdir.h"
#include "virtualkeyboard/makehidbackend.h"
#include "virtualkeyboard/virtualhidbackend.h"
#include <array>
#include <fstream>
#include "virtualkeyboard/virtualkeyboard.h"

namespace orvane {
namespace {

TEST(VirtualKeyboard, StateSurvivesInItsFileAndBadFilesGiveFactoryState) {
    test::TempDir dir;
    const auto file = dir / VirtualKeyboard::kStateFileName;
    {
        VirtualKeyboard keyboard(file);
        MouseData m = keyboard.memory();
        m.ReportRate = 3;
        keyboard.setMemory(m);
        keyboard.setFirmwareVersion(7, 9);
    }
    {
        VirtualKeyboard again(file);
        EXPECT_EQ(again.memory().ReportRate, 3);
        EXPECT_EQ(again.firmwareVersion(), (std::array<std::uint8_t, 2>{7, 9}));
    }
    test::writeBytes(file, std::vector<unsigned char>(100, 0xEE));  // torn or foreign file
    VirtualKeyboard fromBad(file);
    EXPECT_EQ(fromBad.memory().ReportRate, VirtualKeyboard::factoryMemory().ReportRate);
    EXPECT_EQ(test::readBytes(file).size(), kMouseDataSize + 2);  // rewritten whole
}

TEST(VirtualKeyboard, UnpluggedInterfacesFailAndEnumerateNothing) {
    auto keyboard = std::make_shared<VirtualKeyboard>();
    VirtualHidBackend backend(keyboard);
    EXPECT_EQ(backend.enumerate().size(), 7u);
    auto device = backend.open(VirtualHidBackend::kCommandNode);
    ASSERT_NE(device, nullptr);
    keyboard->unplug();
    EXPECT_TRUE(backend.enumerate().empty());
    EXPECT_EQ(backend.open(VirtualHidBackend::kCommandNode), nullptr);
    std::array<std::uint8_t, 9> frame{};
    EXPECT_EQ(device->sendFeatureReport(frame), -1);
    EXPECT_TRUE(device->gone());
    keyboard->plug();
    EXPECT_TRUE(device->gone()) << "a handle from before the unplug stays dead";
    EXPECT_FALSE(backend.open(VirtualHidBackend::kCommandNode)->gone());
}

TEST(VirtualKeyboard, ChosenByTheEnvironment) {
    test::TempDir dir;
    ::setenv("ORVANE_KEYBOARD", "virtual", 1);
    auto backend = makeHidBackend(dir.path());
    ::unsetenv("ORVANE_KEYBOARD");
    ASSERT_NE(dynamic_cast<VirtualHidBackend*>(backend.get()), nullptr);
    EXPECT_TRUE(std::filesystem::exists(dir / VirtualKeyboard::kStateFileName));
    EXPECT_FALSE(virtualKeyboardRequested());
}

TEST(VirtualKeyboard, WithoutAccessItIsListedButNeverOpens) {
    test::TempDir dir;
    ::setenv("ORVANE_KEYBOARD", "virtual-noaccess", 1);
    auto backend = makeHidBackend(dir.path());
    EXPECT_TRUE(virtualKeyboardRequested());
    ::unsetenv("ORVANE_KEYBOARD");
    ASSERT_NE(dynamic_cast<VirtualHidBackend*>(backend.get()), nullptr);
    EXPECT_FALSE(backend->enumerate().empty());
    EXPECT_EQ(backend->open(VirtualHidBackend::kCommandNode), nullptr);
    EXPECT_EQ(backend->open(VirtualHidBackend::kEventNode), nullptr);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST(VirtualKeyboardPress, KeysNamedInTheRequestFileArePressedOnce) {
    test::TempDir dir;
    VirtualKeyboard keyboard(dir / VirtualKeyboard::kStateFileName);
    MouseData memory = keyboard.memory();
    const std::array<std::uint8_t, 4> host{KIND_HOST, 0, 0x51, 0};
    std::copy(host.begin(), host.end(), deviceKeyEntry(memory, 9 * 4).begin());
    keyboard.setMemory(memory);
    {
        // Slot 9 is a host key; slot 8 is not, 300 and the word are no slots.
        std::ofstream(dir / VirtualKeyboard::kPressFileName) << "9 8 300 9 word 9";
    }
    std::array<std::uint8_t, 4> report{};
    ASSERT_EQ(keyboard.eventIn(keyboard.generation(), report, 0), 4);
    EXPECT_EQ(report, (std::array<std::uint8_t, 4>{4, 1, 0x51, 0}));
    EXPECT_FALSE(std::filesystem::exists(dir / VirtualKeyboard::kPressFileName));
    EXPECT_EQ(keyboard.eventIn(keyboard.generation(), report, 0), 4);  // the second 9
    EXPECT_EQ(keyboard.eventIn(keyboard.generation(), report, 0), 0);  // reading stops at the word
}

}  // namespace
}  // namespace orvane
