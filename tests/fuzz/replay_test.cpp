// Every stored input of every fuzz target, replayed in the ordinary suite:
// the seeds, and each input that once made a target crash (regressions/).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fuzztarget.h"

namespace orvane::fuzz {
namespace {

namespace fs = std::filesystem;

void replay(const char* target) {
    const Entry entry = findTarget(target);
    ASSERT_NE(entry, nullptr) << target;
    std::size_t inputs = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const fs::path folder = fs::path(ORVANE_FUZZ_DIR) / kind / target;
        std::error_code ec;
        if (!fs::is_directory(folder, ec)) continue;
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(folder)) {
            if (e.is_regular_file() && e.path().filename().string().front() != '.') files.push_back(e.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            SCOPED_TRACE(file.string());
            const auto bytes = readFile(file);
            entry(bytes.data(), bytes.size());
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0u) << "no seed for " << target;
}

TEST(FuzzReplay, KeymapFile) { replay("keymap_file"); }
TEST(FuzzReplay, MacroFile) { replay("macro_file"); }
TEST(FuzzReplay, MacroPanel) { replay("macro_panel"); }
TEST(FuzzReplay, VersionFile) { replay("version_file"); }
TEST(FuzzReplay, ProfileFile) { replay("profile_file"); }
TEST(FuzzReplay, MacroStream) { replay("macro_stream"); }
TEST(FuzzReplay, MacroEdit) { replay("macro_edit"); }
TEST(FuzzReplay, LinkReplies) { replay("link_replies"); }
TEST(FuzzReplay, KeyCapture) { replay("key_capture"); }

}  // namespace
}  // namespace orvane::fuzz
