// Random walks through the macro manager and the main window: see
// macro_panel_walk.h. Fixed seeds, so a failure names its walk.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "macro_panel_walk.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

TEST(MacroPanelWalk, NoWalkLeavesAKeyHeldOrPlayingAnotherMacro) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 gen(seed);
        std::vector<std::uint8_t> bytes(1000);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(gen());
        test::TempDir dir;
        test::MacroPanelWalk walk(dir.path());
        EXPECT_EQ(walk.run(bytes), "");
    }
}

}  // namespace
}  // namespace orvane
