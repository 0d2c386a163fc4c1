#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "support/tempdir.h"
#include "virtualkeyboard/virtualkeyboard.h"

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
