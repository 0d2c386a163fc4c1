// orvanectl run as a program on the virtual keyboard, from a copy in a fresh
// folder so its state file is the test's own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <random>
#include <string>

#include "support/tempdir.h"

namespace orvane {
namespace {

struct ToolRun {
    int status;
    std::string out;
};

ToolRun run(const std::string& command) {
    ToolRun r{-1, {}};
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return r;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) r.out.append(buffer, n);
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class Orvanectl : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(ORVANECTL_PATH, dir / "orvanectl");
        // A portable folder (it holds the skin folder): the state stays beside the tool.
        std::filesystem::create_directory(dir / "png");
        tool = "ORVANE_KEYBOARD=virtual '" + (dir / "orvanectl").string() + "'";
    }
    test::TempDir dir;
    std::string tool;
};

TEST_F(Orvanectl, DumpApplyDump) {
    const ToolRun first = run(tool + " dump");
    ASSERT_EQ(first.status, 0) << first.out;
    EXPECT_NE(first.out.find("Firmware version: 1.0"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("Lighting: effect 1, speed 5, brightness 50"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("Colour tables holding data: 0 1 2 3\n"), std::string::npos) << first.out;

    // A keymap.bin holding the keyboard's state with another effect.
    auto state = test::readBytes(dir / "VirtualKeyboard.bin");
    ASSERT_GE(state.size(), 10060u);
    std::vector<unsigned char> keymap(state.begin(), state.begin() + 10060);
    keymap[7451] = static_cast<unsigned char>(10 - keymap[7451]);  // the file holds the speed as shown
    keymap[7450] = 4;
    keymap.resize(206920, 0);
    test::writeBytes(dir / "keymap.bin", keymap);

    const ToolRun applied = run(tool + " apply '" + (dir / "keymap.bin").string() + "'");
    ASSERT_EQ(applied.status, 0) << applied.out;
    EXPECT_NE(applied.out.find("sent SetLightingEffect"), std::string::npos) << applied.out;
    EXPECT_EQ(applied.out.find("WriteKeyTable"), std::string::npos) << applied.out;
    const ToolRun after = run(tool + " dump");
    EXPECT_NE(after.out.find("Lighting: effect 4, speed 5"), std::string::npos) << after.out;
}

// Listed but refused (no udev rule): the tool says what the utility says and
// exits 2, for dump and apply alike.
TEST_F(Orvanectl, AKeyboardThatCannotBeOpenedIsExplained) {
    // A file the keyboard would accept, so only the refused keyboard stops apply.
    ASSERT_EQ(run(tool + " dump").status, 0);
    auto keymap = test::readBytes(dir / "VirtualKeyboard.bin");
    ASSERT_GE(keymap.size(), 10060u);
    keymap.resize(10060);
    keymap.resize(206920, 0);
    test::writeBytes(dir / "keymap.bin", keymap);
    const std::string refused = "ORVANE_KEYBOARD=virtual-noaccess '" + (dir / "orvanectl").string() + "'";
    for (const std::string& args : {std::string(" dump"), " apply '" + (dir / "keymap.bin").string() + "'"}) {
        const ToolRun r = run(refused + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.out.find("found, but it could not be opened"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("udev rule"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("no keyboard found"), std::string::npos) << r.out;
    }
}

TEST_F(Orvanectl, BadArgumentsAndFilesFailClearly) {
    EXPECT_EQ(run(tool).status, 1);
    EXPECT_EQ(run(tool + " apply").status, 1);
    const ToolRun missing = run(tool + " apply '" + (dir / "absent.bin").string() + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("cannot read"), std::string::npos);
    test::writeBytes(dir / "short.bin", std::vector<unsigned char>(100, 1));
    const ToolRun shortFile = run(tool + " apply '" + (dir / "short.bin").string() + "'");
    EXPECT_EQ(shortFile.status, 1);
    EXPECT_NE(shortFile.out.find("fewer than"), std::string::npos);
}

TEST_F(Orvanectl, RefusesAFileOfRandomBytesAndSendsNothing) {
    ASSERT_EQ(run(tool + " dump").status, 0);
    // Game mode off in the keyboard: even the read that precedes a write
    // would switch it on and so change the state file.
    auto state = test::readBytes(dir / "VirtualKeyboard.bin");
    ASSERT_GT(state.size(), 7476u);
    state[7476] = 0;
    test::writeBytes(dir / "VirtualKeyboard.bin", state);

    std::mt19937 gen(206920);
    std::vector<unsigned char> noise(206920);
    for (auto& b : noise) b = static_cast<unsigned char>(gen());
    noise[11] = 38;     // report rate
    noise[7451] = 141;  // lighting speed
    noise[7476] = 237;  // game mode
    test::writeBytes(dir / "noise.bin", noise);
    const ToolRun refused = run(tool + " apply '" + (dir / "noise.bin").string() + "'");
    EXPECT_EQ(refused.status, 1) << refused.out;
    EXPECT_NE(refused.out.find("ReportRate is 38"), std::string::npos) << refused.out;
    EXPECT_NE(refused.out.find("nothing was sent"), std::string::npos) << refused.out;
    EXPECT_EQ(refused.out.find("sent Set"), std::string::npos) << refused.out;
    EXPECT_EQ(test::readBytes(dir / "VirtualKeyboard.bin"), state);
}

}  // namespace
}  // namespace orvane
