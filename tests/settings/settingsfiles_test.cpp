#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <algorithm>
#include <cstring>

#include "keyboardstate/keytables.h"
#include "settings/atomicfile.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"
#include <cerrno>
#include <optional>
#include <unistd.h>
#include "support/readfault.h"

namespace orvane {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

std::vector<unsigned char> randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<unsigned char> v(n);
    for (auto& b : v) b = static_cast<unsigned char>(gen());
    return v;
}


TEST(KeymapFile, MissingFileIsCreatedAsZerosAndTheRecordsAreStamped) {
    for (const KeymapPart part : {KeymapPart::Everything, KeymapPart::KeyAssignmentsOnly}) {
        TempDir dir;
        auto image = std::make_unique<SettingsImage>();
        stampKeyCodes(image->working.keyAssignments);
        image->working.keyAssignments.records[42].mapType = TYPE_BASIC;
        EXPECT_EQ(loadKeymapFile(*image, dir.path(), part), FileLoad::Created);
        const auto bytes = readBytes(dir / "keymap.bin");
        ASSERT_EQ(bytes.size(), 206920u);
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 206920);
        // The table is zeroed, but no key is left without its own code.
        const auto& records = image->working.keyAssignments.records;
        EXPECT_EQ(records[42].mapType, 0);
        for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
            EXPECT_EQ(records[p].keyCode, VirtualKeyDefaults[p]) << p;
        }
        EXPECT_EQ(records[108].keyCode, 0);
    }
}

TEST(KeymapFile, RoundTripChangesOnlyTheStampedKeyCodes) {
    TempDir dir;
    auto original = randomBytes(206920, 1);
    writeBytes(dir / "keymap.bin", original);
    auto image = std::make_unique<SettingsImage>();
    ASSERT_EQ(loadKeymapFile(*image, dir.path()), FileLoad::Loaded);
    ASSERT_TRUE(writeKeymapFromWorking(*image, dir.path()));
    const auto written = readBytes(dir / "keymap.bin");
    ASSERT_EQ(written.size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        const bool stamped = i >= 10060 && (i - 10060) % 772 == 0 && (i - 10060) / 772 < 108;
        if (stamped) {
            EXPECT_EQ(written[i], VirtualKeyDefaults[(i - 10060) / 772]) << i;
        } else if (written[i] != original[i]) {
            ADD_FAILURE() << "byte " << i << " changed";
            break;
        }
    }
    // Records past the key positions are never stamped.
    EXPECT_EQ(written[10060 + 108 * 772], original[10060 + 108 * 772]);
}

TEST(KeymapFile, KeepSwitchLeavesMouseDataAndReloadsAssignments) {
    TempDir dir;
    writeBytes(dir / "keymap.bin", randomBytes(206920, 2));
    auto image = std::make_unique<SettingsImage>();
    image->working.mouseData.GameMode = 0x5A;
    image->working.mouseData.reserved0[3] = 0x77;
    const MouseData before = image->working.mouseData;
    ASSERT_EQ(loadKeymapFile(*image, dir.path(), KeymapPart::KeyAssignmentsOnly), FileLoad::Loaded);
    EXPECT_EQ(std::memcmp(&before, &image->working.mouseData, sizeof(MouseData)), 0);
    const auto file = readBytes(dir / "keymap.bin");
    EXPECT_EQ(image->working.keyAssignments.records[200].mapType, file[10060 + 200 * 772 + 1]);
    EXPECT_EQ(image->working.keyAssignments.records[42].keyCode, 0x51);  // Q, stamped
}

TEST(KeymapFile, ShortFileFillsOnlyAsFarAsItReaches) {
    TempDir dir;
    // Ends inside record 0 of the key assignment table.
    auto bytes = std::vector<unsigned char>(10060 + 100, 0xEE);
    writeBytes(dir / "keymap.bin", bytes);
    auto image = std::make_unique<SettingsImage>();
    image->working.keyAssignments.records[0].keyCount = 0x11;      // offset 257, beyond the file
    image->working.keyAssignments.records[254].mapType = 0x22;
    ASSERT_EQ(loadKeymapFile(*image, dir.path()), FileLoad::Loaded);
    EXPECT_EQ(image->working.mouseData.reserved10059, 0xEE);
    EXPECT_EQ(image->working.keyAssignments.records[0].mapData[97], 0xEE);
    EXPECT_EQ(image->working.keyAssignments.records[0].mapData[98], 0);  // not reached
    EXPECT_EQ(image->working.keyAssignments.records[0].keyCount, 0x11);
    EXPECT_EQ(image->working.keyAssignments.records[254].mapType, 0x22);
    EXPECT_EQ(readBytes(dir / "keymap.bin").size(), 10160u);  // a load never rewrites
}

TEST(KeymapFile, LongFileIsReadOnlyUpToTheRecordSizes) {
    TempDir dir;
    auto bytes = randomBytes(206920 + 5000, 3);
    writeBytes(dir / "keymap.bin", bytes);
    auto image = std::make_unique<SettingsImage>();
    ASSERT_EQ(loadKeymapFile(*image, dir.path()), FileLoad::Loaded);
    EXPECT_EQ(image->working.keyAssignments.records[254].actionPath[255],
              bytes[206918] | (bytes[206919] << 8));
    EXPECT_EQ(image->macroStore.records[0].name[0], 0);  // nothing spills past the table
}

TEST(KeymapFile, WritesFromTheSavedCopies) {
    TempDir dir;
    auto image = std::make_unique<SettingsImage>();
    image->working.mouseData.GameMode = 1;
    image->saved.mouseData.GameMode = 0;
    image->saved.keyAssignments.records[1].mapType = TYPE_BASIC;
    ASSERT_TRUE(writeKeymapFromSaved(*image, dir.path()));
    const auto bytes = readBytes(dir / "keymap.bin");
    EXPECT_EQ(bytes[7476], 0);
    EXPECT_EQ(bytes[10060 + 772 + 1], TYPE_BASIC);
}

TEST(KeymapFile, AFailedCreateKeepsRecords) {
    TempDir dir;
    auto image = std::make_unique<SettingsImage>();
    image->working.mouseData.GameMode = 1;
    // The data folder itself is missing: the file is absent and cannot be created.
    EXPECT_EQ(loadKeymapFile(*image, dir.path() / "missing-folder"), FileLoad::CreateFailed);
    EXPECT_EQ(image->working.mouseData.GameMode, 1);
    EXPECT_FALSE(image->unreadableFiles.keymap);
    EXPECT_FALSE(writeKeymapFromWorking(*image, dir.path() / "missing-folder"));
}

TEST(MacroFile, MissingFileIsCreatedAsZerosAndShortFilesFillTheStart) {
    TempDir dir;
    auto image = std::make_unique<SettingsImage>();
    EXPECT_EQ(loadMacroFile(*image, dir.path()), FileLoad::Created);
    const auto created = readBytes(dir / "MacroDefine.bin");
    ASSERT_EQ(created.size(), 169860u);
    EXPECT_EQ(std::count(created.begin(), created.end(), 0), 169860);

    writeBytes(dir / "MacroDefine.bin", std::vector<unsigned char>{'A', 0, 'b', 0});
    image->macroStore.records[1].loopCount = 7;
    EXPECT_EQ(loadMacroFile(*image, dir.path()), FileLoad::Loaded);
    EXPECT_EQ(fixedText(image->macroStore.records[0].name), u"Ab");
    EXPECT_EQ(image->macroStore.records[1].loopCount, 7);
}

TEST(MacroFile, WriteIsByteExact) {
    TempDir dir;
    auto image = std::make_unique<SettingsImage>();
    image->macroStore.records[31].loopCount = 0x0123;
    ASSERT_TRUE(writeMacroFile(*image, dir.path()));
    const auto bytes = readBytes(dir / "MacroDefine.bin");
    ASSERT_EQ(bytes.size(), 169860u);
    EXPECT_EQ(bytes[31 * 894 + 510], 0x23);
    EXPECT_EQ(bytes[31 * 894 + 511], 0x01);
}

struct VersionCase {
    const char* text;
    std::size_t length;
    std::uint8_t major;
    std::uint8_t minor;
};

TEST(VersionFile, DigitsAtOffsetsFiveAndSeven) {
    const VersionCase cases[] = {
        {"", 0, 0, 0},                      // empty file
        {"VER: ", 5, 0, 0},                  // shorter than 8: nothing it lacks
        {"VER: 2", 6, 2, 0},
        {"VER: 2.3", 8, 2, 3},
        {"VER: 2.3 build 17", 17, 2, 3},
        {"VER: A.3", 8, 'A' - '0', 3},      // not a digit: used as it is
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeBytes(dir / "VER.bin",
                   std::vector<unsigned char>(c.text, c.text + c.length));
        auto image = std::make_unique<SettingsImage>();
        image->fileFirmwareVersion = {9, 9, 9, 9};
        EXPECT_TRUE(readVersionFile(*image, dir.path()));
        EXPECT_EQ(image->fileFirmwareVersion[0], c.major) << c.text;
        EXPECT_EQ(image->fileFirmwareVersion[1], c.minor) << c.text;
        EXPECT_EQ(image->fileFirmwareVersion[2], 0);
        EXPECT_EQ(image->fileFirmwareVersion[3], 0);
    }
    TempDir empty;
    auto image = std::make_unique<SettingsImage>();
    image->fileFirmwareVersion = {9, 9, 9, 9};
    EXPECT_FALSE(readVersionFile(*image, empty.path()));
    EXPECT_EQ(image->fileFirmwareVersion, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

TEST(AtomicWrite, InterruptedBeforeRenameLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    const auto old = randomBytes(206920, 4);
    writeBytes(dir / "keymap.bin", old);
    const std::vector<unsigned char> fresh(1000, 0x42);
    const bool ok = writeFileAtomically(dir / "keymap.bin",
                                        {std::as_bytes(std::span(fresh))},
                                        [] { return false; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(readBytes(dir / "keymap.bin"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(AtomicWrite, ReplacesTheWholeFileAndKeepsOrdinaryPermissions) {
    TempDir dir;
    writeBytes(dir / "f.bin", randomBytes(5000, 5));
    const std::vector<unsigned char> a(10, 1), b(3, 2);
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", {std::as_bytes(std::span(a)),
                                                   std::as_bytes(std::span(b))}));
    auto expected = a;
    expected.insert(expected.end(), b.begin(), b.end());
    EXPECT_EQ(readBytes(dir / "f.bin"), expected);
    const auto perms = std::filesystem::status(dir / "f.bin").permissions();
    EXPECT_NE(perms & std::filesystem::perms::owner_read, std::filesystem::perms::none);
    EXPECT_NE(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST(StartupFiles, AFreshFolderGetsBothFilesAndStampedWorkingAndSavedCopies) {
    test::TempDir dir;
    auto image = std::make_unique<SettingsImage>();
    image->modifiedKeyFlags.fill(1);
    image->working.keyAssignments.records[3].mapType = 5;  // left over from before
    loadStartupFiles(*image, {dir.path(), dir.path()});
    EXPECT_EQ(test::readBytes(dir / "keymap.bin").size(), 206920u);
    EXPECT_EQ(test::readBytes(dir / "MacroDefine.bin").size(), 169860u);
    EXPECT_EQ(image->working.keyAssignments.records[3].mapType, 0);
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        EXPECT_EQ(image->working.keyAssignments.records[p].keyCode, VirtualKeyDefaults[p]);
        EXPECT_EQ(image->modifiedKeyFlags[p], 0);
    }
    EXPECT_EQ(std::memcmp(&image->working, &image->saved, sizeof image->working), 0);
}

TEST(StartupFiles, ExistingFilesAreReadBeforeTheCopiesAreMade) {
    test::TempDir dir;
    std::vector<unsigned char> keymap(206920, 0);
    keymap[offsetof(MouseData, GameMode)] = 1;
    test::writeBytes(dir / "keymap.bin", keymap);
    test::writeBytes(dir / "VER.bin", std::vector<unsigned char>{'V', 'E', 'R', ':', ' ', '2', '.', '7', 0, 0, 0, 0});
    auto image = std::make_unique<SettingsImage>();
    loadStartupFiles(*image, {dir.path(), dir.path()});
    EXPECT_EQ(image->working.mouseData.GameMode, 1);
    EXPECT_EQ(image->saved.mouseData.GameMode, 1);
    EXPECT_EQ(image->fileFirmwareVersion[0], 2);
    EXPECT_EQ(image->fileFirmwareVersion[1], 7);
}

}  // namespace
}  // namespace orvane

// A settings file that exists but cannot be read is never taken for a missing
// one: it is left as it is and no writer replaces it during the run.



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
