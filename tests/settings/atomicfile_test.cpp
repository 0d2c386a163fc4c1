// The crash loop: a child writes keymap.bin, MacroDefine.bin and a profile
// with the program's own writers and is killed at a random moment, 2000
// times. After every kill each file is whole, the old or the new one, and
// the next start leaves no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include "settings/atomicfile.h"
#include "settings/interruptedwrites.h"
#include "settings/profiles.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 2000;

// Generation g of a file: its first four bytes hold g, every other byte a
// value derived from g, so a mix of two generations or a short file shows.
std::uint8_t patternOf(std::uint32_t g) { return static_cast<std::uint8_t>(g * 37u + 11u); }

void stamp(std::span<std::byte> bytes, std::uint32_t g) {
    std::memset(bytes.data(), patternOf(g), bytes.size());
    std::memcpy(bytes.data(), &g, sizeof g);
}

// The generation a file holds, or nothing when it is torn, short or missing.
std::optional<std::uint32_t> generationOf(const fs::path& file, std::size_t size) {
    static std::vector<std::uint8_t> bytes, expected;
    bytes.assign(size + 1, 0);
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (f == nullptr) return std::nullopt;
    const std::size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    if (n != size) return std::nullopt;  // short, or longer than the record
    std::uint32_t g = 0;
    std::memcpy(&g, bytes.data(), sizeof g);
    expected.assign(size, patternOf(g));
    if (std::memcmp(bytes.data() + sizeof g, expected.data() + sizeof g, size - sizeof g) != 0) return std::nullopt;
    return g;
}

struct Files {
    fs::path data;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<ProfileManager> profiles;

    explicit Files(fs::path folder) : data(std::move(folder)) {
        fs::create_directory(data / kProfileFolderName);
        prepare(0);
        write();
        profiles = std::make_unique<ProfileManager>(DataFolders{data, data}, kLanguageEnglish);
        // The profile the child saves into exists, as after New.
        EXPECT_TRUE(writeFileAtomically(profile(), {bytesOf(image->working.mouseData),
                                                    bytesOf(image->working.keyAssignments)}));
        profiles->scan();
        profiles->select(0);
    }
    fs::path keymap() const { return data / kKeymapFileName; }
    fs::path macros() const { return data / kMacroFileName; }
    fs::path profile() const { return data / kProfileFolderName / "Profile_1.bin"; }

    // Done before the fork, so the child only writes.
    void prepare(std::uint32_t g) {
        // MouseData and the key table lie one after the other in the file: one
        // stamp over both, split between the two records.
        auto whole = std::make_unique<std::array<std::byte, kKeymapFileSize>>();
        stamp(*whole, g);
        std::memcpy(&image->working.mouseData, whole->data(), kMouseDataSize);
        std::memcpy(&image->working.keyAssignments, whole->data() + kMouseDataSize, kKeyAssignmentTableSize);
        stamp(writableBytesOf(image->macroStore), g);
    }
    // The three writers the program uses, in the order a confirmation and a
    // profile Save run them.
    void write() {
        writeKeymapFromWorking(*image, data);
        writeMacroFile(*image, data);
        if (profiles) profiles->saveProfile(*image, std::nullopt);
    }
    // Names in the two folders other than the three files and the profile folder.
    std::vector<std::string> strays() const {
        const std::set<std::string> expected{kKeymapFileName, kMacroFileName, kProfileFolderName, "Profile_1.bin"};
        std::vector<std::string> found;
        for (const fs::path& folder : {data, data / kProfileFolderName}) {
            for (const auto& entry : fs::directory_iterator(folder)) {
                const std::string name = entry.path().filename().string();
                if (!expected.count(name)) found.push_back(name);
            }
        }
        return found;
    }
};

// Runs the writes in a child; kills it after `delay` unless `delay` is nothing.
// Returns whether the child was still writing when the kill came.
bool runChild(Files& files, std::optional<std::chrono::microseconds> delay) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        files.write();
        ::_exit(0);
    }
    EXPECT_GT(pid, 0);
    if (delay) {
        std::this_thread::sleep_for(*delay);
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status);
}

// A kill is not a power loss: what the disk's flush adds cannot show here,
// it only slows the loop down. Memory-backed files keep 2000 kills quick.
fs::path loopFolder() {
    std::error_code ec;
    const fs::path shm = "/dev/shm";
    if (fs::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0) return shm;
    return fs::temp_directory_path();
}

TEST(CrashLoop, EveryFileIsOldOrNewAfterEveryKill) {
    test::TempDir dir(loopFolder());
    Files files(dir.path());

    // How long the three writes take here: the kills fall anywhere within it
    // (and a little after, so some children finish).
    std::uint32_t g = 1;
    std::vector<Clock::duration> runs;
    for (int i = 0; i < 9; ++i, ++g) {
        files.prepare(g);
        const auto start = Clock::now();
        runChild(files, std::nullopt);
        runs.push_back(Clock::now() - start);
    }
    std::sort(runs.begin(), runs.end());
    const auto window = std::chrono::duration_cast<std::chrono::microseconds>(runs[runs.size() / 2]) * 5 / 4;
    std::map<std::string, std::uint32_t> known{{"keymap", g - 1}, {"macros", g - 1}, {"profile", g - 1}};

    std::mt19937 gen(14);
    int kills = 0, midWrite = 0, torn = 0, leftovers = 0;
    std::size_t removedAtStart = 0;
    const auto started = Clock::now();
    for (int i = 0; i < kKills; ++i, ++g) {
        files.prepare(g);
        const auto delay = std::chrono::microseconds(gen() % (window.count() + 1));
        midWrite += runChild(files, delay) ? 1 : 0;
        ++kills;

        const std::pair<const char*, std::pair<fs::path, std::size_t>> checks[] = {
            {"keymap", {files.keymap(), kKeymapFileSize}},
            {"macros", {files.macros(), kMacroStoreSize}},
            {"profile", {files.profile(), kKeymapFileSize}},
        };
        for (const auto& [name, file] : checks) {
            const auto held = generationOf(file.first, file.second);
            if (!held || (*held != known[name] && *held != g)) {
                ++torn;
                ADD_FAILURE() << name << " after kill " << i << " holds "
                              << (held ? std::to_string(*held) : std::string("a torn file"));
                continue;
            }
            known[name] = *held;
        }
        // The next start of the utility.
        removedAtStart += removeInterruptedSettingsWrites(files.data);
        const auto strays = files.strays();
        leftovers += static_cast<int>(strays.size());
        for (const auto& s : strays) ADD_FAILURE() << "left behind after kill " << i << ": " << s;
        if (torn + leftovers > 10) break;
    }
    const auto seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::printf("crash loop: %d kills (%d while writing), %d torn files, %d leftover temporary files; "
                "%zu leftovers of interrupted writes removed at start; kill window %lld us, %.1f s\n",
                kills, midWrite, torn, leftovers, removedAtStart, static_cast<long long>(window.count()), seconds);
    EXPECT_EQ(kills, kKills);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(leftovers, 0);
}

}  // namespace
}  // namespace orvane
