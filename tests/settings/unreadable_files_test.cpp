// A settings file that exists but cannot be read is never taken for a missing
// one: it is left as it is and no writer replaces it during the run.
#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <random>
#include <unistd.h>

#include "settings/atomicfile.h"
#include "settings/settingsfiles.h"
#include "support/readfault.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScopedReadFault;
using test::TempDir;
using test::writeBytes;
using At = ScopedReadFault::At;

std::vector<unsigned char> contents(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<unsigned char> v(n);
    for (auto& b : v) b = static_cast<unsigned char>(gen());
    v[0] = 0x11;  // never the value a test puts into the records
    return v;
}

struct Fault {
    const char* what;
    std::optional<At> at;  // none: the name is a folder
    int error;
};

const Fault kFaults[] = {
    {"permission denied at open", At::Open, EACCES},
    {"I/O error at open", At::Open, EIO},
    {"I/O error at the first read", At::FirstRead, EIO},
    {"I/O error part way", At::LaterRead, EIO},
    {"a folder of that name", std::nullopt, 0},
};

// Puts the file (or a folder of its name) in place; the fault lasts as long
// as the returned object.
std::optional<ScopedReadFault> makeUnreadable(const Fault& f, const fs::path& file,
                                              const std::vector<unsigned char>& bytes) {
    if (!f.at) {
        fs::create_directory(file);
        return std::nullopt;
    }
    writeBytes(file, bytes);
    return std::optional<ScopedReadFault>(std::in_place, file.filename().string(), *f.at, f.error);
}

bool untouched(const Fault& f, const fs::path& file, const std::vector<unsigned char>& bytes) {
    return f.at ? readBytes(file) == bytes : fs::is_directory(file);
}

TEST(FileRead, OnlyAMissingFileIsAbsent) {
    TempDir dir;
    std::array<std::byte, 512> buffer{};  // more than the first part a late fault lets through
    EXPECT_EQ(readFileStart(dir / "none.bin", buffer).outcome, ReadOutcome::Absent);
    writeBytes(dir / "plain", {1, 2, 3});
    EXPECT_EQ(readFileStart(dir / "plain" / "x.bin", buffer).outcome, ReadOutcome::Absent);
    const FileRead read = readFileStart(dir / "plain", buffer);
    EXPECT_EQ(read.outcome, ReadOutcome::Read);
    EXPECT_EQ(read.bytes, 3u);
    for (const Fault& f : kFaults) {
        TempDir each;
        const auto fault = makeUnreadable(f, each / "f.bin", contents(300, 1));
        EXPECT_EQ(readFileStart(each / "f.bin", buffer).outcome, ReadOutcome::Unreadable) << f.what;
        EXPECT_FALSE(readFilePrefix(each / "f.bin", buffer)) << f.what;
    }
}

TEST(UnreadableKeymap, IsLeftUntouchedAndNothingWritesIt) {
    for (const Fault& f : kFaults) {
        SCOPED_TRACE(f.what);
        TempDir dir;
        const auto original = contents(kKeymapFileSize, 2);
        auto image = std::make_unique<SettingsImage>();
        image->working.mouseData.reserved0[0] = 0xAB;
        image->working.keyAssignments.records[200].mapType = 0x22;
        {
            const auto fault = makeUnreadable(f, dir / "keymap.bin", original);
            EXPECT_EQ(loadKeymapFile(*image, dir.path()), FileLoad::Unreadable);
        }
        // Nothing of the file arrived; the keys still have their own codes.
        EXPECT_TRUE(image->unreadableFiles.keymap);
        EXPECT_EQ(image->working.mouseData.reserved0[0], 0xAB);
        EXPECT_EQ(image->working.keyAssignments.records[200].mapType, 0x22);
        EXPECT_EQ(image->working.keyAssignments.records[42].keyCode, 0x51);

        // Readable again or not, the run leaves it alone.
        copyWorkingToSaved(*image);
        EXPECT_FALSE(writeKeymapFromWorking(*image, dir.path()));
        EXPECT_FALSE(writeKeymapFromSaved(*image, dir.path()));
        image->working.keyAssignments.records[42].mapType = TYPE_BASIC;
        EXPECT_EQ(loadKeymapFile(*image, dir.path(), KeymapPart::KeyAssignmentsOnly), FileLoad::Unreadable);
        EXPECT_EQ(image->working.keyAssignments.records[42].mapType, TYPE_BASIC);
        image->working.mouseData.KeyEnableMask.fill(0);
        EXPECT_FALSE(settleAfterFactoryReset(*image, dir.path()));
        EXPECT_EQ(image->saved.mouseData.KeyEnableMask[20], 0xFF);  // the reset still counts
        EXPECT_TRUE(untouched(f, dir / "keymap.bin", original));
        EXPECT_FALSE(fs::exists(dir / "MacroDefine.bin"));
    }
}

TEST(UnreadableKeymap, FoundAtAReloadKeepsTheAssignmentsInMemory) {
    TempDir dir;
    const auto original = contents(kKeymapFileSize, 3);
    writeBytes(dir / "keymap.bin", original);
    auto image = std::make_unique<SettingsImage>();
    ASSERT_EQ(loadKeymapFile(*image, dir.path()), FileLoad::Loaded);
    image->working.keyAssignments.records[42].mapType = TYPE_BASIC;
    {
        ScopedReadFault fault("keymap.bin", At::Open, EACCES);
        EXPECT_EQ(loadKeymapFile(*image, dir.path(), KeymapPart::KeyAssignmentsOnly),
                  FileLoad::Unreadable);
    }
    EXPECT_EQ(image->working.keyAssignments.records[42].mapType, TYPE_BASIC);
    EXPECT_FALSE(writeKeymapFromWorking(*image, dir.path()));
    EXPECT_EQ(readBytes(dir / "keymap.bin"), original);
}

TEST(UnreadableMacroFile, IsLeftUntouchedAndNothingWritesIt) {
    for (const Fault& f : kFaults) {
        SCOPED_TRACE(f.what);
        TempDir dir;
        const auto original = contents(kMacroStoreSize, 4);
        auto image = std::make_unique<SettingsImage>();
        image->macroStore.records[0].name[0] = u'S';
        {
            const auto fault = makeUnreadable(f, dir / "MacroDefine.bin", original);
            EXPECT_EQ(loadMacroFile(*image, dir.path()), FileLoad::Unreadable);
        }
        EXPECT_TRUE(image->unreadableFiles.macros);
        EXPECT_FALSE(image->unreadableFiles.keymap);
        EXPECT_EQ(image->macroStore.records[0].name[0], u'S');
        EXPECT_EQ(loadMacroFile(*image, dir.path()), FileLoad::Unreadable);
        EXPECT_EQ(image->macroStore.records[0].name[0], u'S');
        EXPECT_FALSE(writeMacroFile(*image, dir.path()));
        EXPECT_TRUE(untouched(f, dir / "MacroDefine.bin", original));
        EXPECT_TRUE(writeKeymapFromWorking(*image, dir.path()));  // the other file is fine
    }
}

// The real thing, where the suite does not run as root (root reads any file).
TEST(UnreadableFiles, RealFilesWithoutPermissions) {
    if (::geteuid() == 0) GTEST_SKIP() << "root can read a file of mode 0000";
    TempDir dir;
    const auto keymap = contents(kKeymapFileSize, 5);
    const auto macros = contents(kMacroStoreSize, 6);
    writeBytes(dir / "keymap.bin", keymap);
    writeBytes(dir / "MacroDefine.bin", macros);
    fs::permissions(dir / "keymap.bin", fs::perms::none);
    fs::permissions(dir / "MacroDefine.bin", fs::perms::none);
    auto image = std::make_unique<SettingsImage>();
    EXPECT_EQ(loadMacroFile(*image, dir.path()), FileLoad::Unreadable);
    EXPECT_EQ(loadKeymapFile(*image, dir.path()), FileLoad::Unreadable);
    EXPECT_FALSE(writeMacroFile(*image, dir.path()));
    EXPECT_FALSE(writeKeymapFromWorking(*image, dir.path()));
    fs::permissions(dir / "keymap.bin", fs::perms::owner_read);
    fs::permissions(dir / "MacroDefine.bin", fs::perms::owner_read);
    EXPECT_EQ(readBytes(dir / "keymap.bin"), keymap);
    EXPECT_EQ(readBytes(dir / "MacroDefine.bin"), macros);
}

}  // namespace
}  // namespace orvane
