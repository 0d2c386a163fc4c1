// The start-up clean-up of interrupted writes removes exactly their
// temporary files and nothing else.
#include <gtest/gtest.h>

#include "settings/atomicfile.h"
#include "settings/interruptedwrites.h"
#include "settings/profiles.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

TEST(InterruptedWrites, TemporaryNamesOfATarget) {
    struct Case {
        const char* name;
        const char* target;
        bool temporary;
    };
    const Case cases[] = {
        {"keymap.bin.Ab12Cd", "keymap.bin", false},    // no leading dot
        {".keymap.bin.Ab12C", "keymap.bin", false},    // five characters
        {".keymap.bin.Ab12Cd7", "keymap.bin", false},  // seven
        {".keymap.bin.Ab-2Cd", "keymap.bin", false},   // not a letter or digit
        {".keymap.binXAb12Cd", "keymap.bin", false},   // no dot before them
        {".keymap.bin", "keymap.bin", false},
        {".keymap.bin.Ab12Cd", "MacroDefine.bin", false},
        {".keymap.bin.Ab12Cd", "keymap.bin", true},
        {".MacroDefine.bin.000000", "MacroDefine.bin", true},
        {"..bin.zzzzzz", ".bin", true},
    };
    for (const Case& c : cases) EXPECT_EQ(isTemporaryFileOf(c.name, c.target), c.temporary) << c.name;
}

TEST(InterruptedWrites, OnlyTheSettingsAndProfileLeftoversGo) {
    test::TempDir dir;
    fs::create_directory(dir / kProfileFolderName);
    const fs::path configure = dir / kProfileFolderName;
    const std::vector<fs::path> removed{dir / ".keymap.bin.a1B2c3", dir / ".MacroDefine.bin.ZZZZZZ",
                                        configure / ".Profile_1.bin.q9q9q9", configure / ".x.bin.bin.000001"};
    const std::vector<fs::path> kept{
        dir / "keymap.bin",
        dir / ".VirtualKeyboard.bin.a1B2c3",  // orvanectl may be writing it right now
        dir / ".notes.txt.a1B2c3",
        dir / ".keymap.bin.a1B2c",
        configure / "Profile_1.bin",
        configure / ".notes.txt.abcdef",
        dir / kProfileFolderName / ".Profile_2.bin.abcde!",
    };
    for (const auto& p : removed) test::writeBytes(p, {1, 2, 3});
    for (const auto& p : kept) test::writeBytes(p, {1, 2, 3});
    // A folder and a link with a leftover's name are not files of ours.
    fs::create_directory(dir / ".keymap.bin.dir123");
    fs::create_symlink(dir / "keymap.bin", configure / ".Profile_3.bin.link12");

    EXPECT_EQ(removeInterruptedSettingsWrites(dir.path()), removed.size());
    for (const auto& p : removed) EXPECT_FALSE(fs::exists(p)) << p;
    for (const auto& p : kept) EXPECT_TRUE(fs::exists(p)) << p;
    EXPECT_TRUE(fs::is_directory(dir / ".keymap.bin.dir123"));
    EXPECT_TRUE(fs::is_symlink(configure / ".Profile_3.bin.link12"));
    // Without a profile folder, and without a data folder, nothing fails.
    fs::remove_all(configure);
    EXPECT_EQ(removeInterruptedSettingsWrites(dir.path()), 0u);
    EXPECT_EQ(removeInterruptedSettingsWrites(dir / "absent"), 0u);
}

TEST(InterruptedWrites, StartUpRemovesThemBeforeReadingTheFiles) {
    test::TempDir dir;
    test::writeBytes(dir / ".keymap.bin.a1B2c3", std::vector<unsigned char>(100, 7));
    auto image = std::make_unique<SettingsImage>();
    loadStartupFiles(*image, {dir.path(), dir.path()});
    EXPECT_FALSE(fs::exists(dir / ".keymap.bin.a1B2c3"));
    EXPECT_EQ(fs::file_size(dir / "keymap.bin"), 206920u);
}

}  // namespace
}  // namespace orvane
