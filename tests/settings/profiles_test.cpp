#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "keyboardstate/keycodes.h"
#include "settings/profiles.h"
#include "settings/settingsfiles.h"
#include "support/profilebytes.h"
#include "support/readfault.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::profileBytes;
using test::randomBytes;
using test::readBytes;
using test::writeBytes;
using Names = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;

// Whether a message holds a text (ASCII, or given as UTF-16).
bool has(const std::u16string& message, std::u16string_view text) {
    return message.find(text) != std::u16string::npos;
}
bool has(const std::u16string& message, const char* ascii) {
    const std::string_view a(ascii);
    return has(message, std::u16string(a.begin(), a.end()));
}

Bytes imageBytes(const SettingsImage& image) {
    const auto* p = reinterpret_cast<const unsigned char*>(&image.working);
    return Bytes(p, p + kKeymapFileSize);
}

class Profiles : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(folder()); }
    fs::path folder() const { return dir.path() / "Configure"; }
    void file(const std::string& name, std::size_t size = 10060, unsigned seed = 1) {
        writeBytes(folder() / name, randomBytes(size, seed));
    }
    void profileFile(const std::string& name, std::size_t size, unsigned seed) {
        writeBytes(folder() / name, profileBytes(size, seed));
    }
    void selectName(const std::string& name) {
        const auto& names = manager.names();
        manager.select(static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin()));
    }
    Names filesOnDisk() const {
        Names out;
        for (const auto& e : fs::directory_iterator(folder())) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    Names filesBeside() const {
        Names out;
        for (const auto& e : fs::directory_iterator(dir.path())) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    test::TempDir dir;
    ProfileManager manager{DataFolders{dir.path(), dir.path()}, kLanguageEnglish};
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
};

TEST(ProfileNames, TypedNamesAreCheckedForEveryProblem) {
    struct Case {
        std::string name;
        NameProblem problem;
    };
    const std::string longest(255, 'x');
    const std::string chinese251 = [] {  // 83 characters of 3 bytes, +2 ASCII: 251 bytes
        std::string s;
        for (int i = 0; i < 83; ++i) s += "配";
        return s + "ab";
    }();
    const Case cases[] = {
        {"", NameProblem::Empty},
        {".bin", NameProblem::Empty},  // its file would list as ""
        {"a/b", NameProblem::SlashOrDots},
        {"/", NameProblem::SlashOrDots},
        {"..", NameProblem::SlashOrDots},
        {"../up", NameProblem::SlashOrDots},
        {"a..b", NameProblem::SlashOrDots},
        {".", NameProblem::SlashOrDots},
        {"tab\there", NameProblem::Control},
        {"new\nline", NameProblem::Control},
        {std::string("nul\0x", 5), NameProblem::Control},
        {"del\x7f", NameProblem::Control},
        {"c1\xc2\x85", NameProblem::Control},
        {longest + "y", NameProblem::TooLong},
        {longest, NameProblem::TooLong},             // 259 bytes with ".bin"
        {std::string(251, 'x'), NameProblem::None},  // exactly 255 bytes with ".bin"
        {chinese251 + "c", NameProblem::TooLong},
        {chinese251, NameProblem::None},
        {"Copy of  Profile_1", NameProblem::None},
        {".hidden", NameProblem::None},
        {"配置 1", NameProblem::None},
        {"x.bin", NameProblem::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(profileNameProblem(c.name), c.problem) << c.name;
    }
}

TEST(ProfileNames, ListedNamesAndFiles) {
    for (const char* bad : {"", ".", "..", "a/b"}) EXPECT_FALSE(isValidProfileName(bad)) << bad;
    EXPECT_TRUE(isValidProfileName("..."));
    // Only the suffix goes, once: the name still leads back to its file.
    EXPECT_EQ(profileDisplayName("a.bin.bin"), "a.bin");
    EXPECT_EQ(profileDisplayName("x.binder.bin"), "x.binder");
    EXPECT_EQ(profileDisplayName("..bin"), ".");
    EXPECT_EQ(profileFileName("a"), "a.bin");
    EXPECT_EQ(profileFileName("a.bin"), "a.bin");
}

TEST_F(Profiles, ScanListsAtMostSixPlainBinFilesSorted) {
    for (const char* name : {"b.bin", "A.bin", "a.bin.bin", "c.txt", "d.BIN", "..bin", ".bin"}) file(name);
    fs::create_directory(folder() / "dir.bin");
    fs::create_symlink(dir.path() / "outside.bin", folder() / "link.bin");
    writeBytes(dir.path() / "outside.bin", {1, 2, 3});
    manager.scan();
    EXPECT_EQ(manager.names(), (Names{"A", "a.bin", "b"}));
    EXPECT_EQ(manager.paths(), (std::vector<fs::path>{folder() / "A.bin", folder() / "a.bin.bin",
                                                      folder() / "b.bin"}));

    for (int i = 0; i < 8; ++i) file("p" + std::to_string(i) + ".bin");
    manager.scan();
    EXPECT_EQ(manager.names().size(), 6u);
    EXPECT_EQ(manager.selection(), -1);
}

TEST_F(Profiles, OpeningMakesAMissingFolderAndNewWorksAtOnce) {
    fs::remove(folder());
    ASSERT_EQ(manager.open().status, ProfileStatus::Done);
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_TRUE(manager.names().empty());
    EXPECT_EQ(manager.newProfile(image->working.mouseData).status, ProfileStatus::Done);
    EXPECT_EQ(filesOnDisk(), Names{"Profile_1.bin"});

    // Removed while the panel is open: New makes it again.
    fs::remove_all(folder());
    manager.scan();
    EXPECT_EQ(manager.newProfile(image->working.mouseData).status, ProfileStatus::Done);
    EXPECT_EQ(filesOnDisk(), Names{"Profile_1.bin"});
}

TEST_F(Profiles, AFileWhereTheFolderBelongsIsReported) {
    fs::remove(folder());
    writeBytes(folder(), {1, 2, 3});
    const ProfileOutcome opened = manager.open();
    EXPECT_EQ(opened.status, ProfileStatus::Failed);
    EXPECT_TRUE(has(opened.message, "could not be created"));
    EXPECT_EQ(manager.newProfile(image->working.mouseData).status, ProfileStatus::Failed);
    EXPECT_EQ(readBytes(folder()), (Bytes{1, 2, 3}));
}

TEST_F(Profiles, NewFillsTheFirstGapWithTheWorkingKeyboardStateAndStopsAtSix) {
    file("Profile_1.bin");
    file("Profile_3.bin");
    manager.scan();
    image->working.mouseData.GameMode = 1;
    image->working.mouseData.ledEffect.LEDEffectMode = 5;
    image->working.keyAssignments.records[3].mapType = TYPE_BASIC;
    ASSERT_EQ(manager.newProfile(image->working.mouseData).status, ProfileStatus::Done);
    EXPECT_EQ(manager.names(), (Names{"Profile_1", "Profile_2", "Profile_3"}));
    const Bytes bytes = readBytes(folder() / "Profile_2.bin");
    ASSERT_EQ(bytes.size(), 10060u);
    EXPECT_EQ(std::memcmp(bytes.data(), &image->working.mouseData, bytes.size()), 0);

    for (int i = 0; i < 3; ++i) manager.newProfile(image->working.mouseData);
    EXPECT_EQ(manager.names().size(), 6u);
    const auto refused = manager.newProfile(image->working.mouseData);
    EXPECT_EQ(refused.status, ProfileStatus::ShowMessage);
    EXPECT_EQ(refused.message, u"Only Create Six Profile mostly\n");
    EXPECT_EQ(refused.caption, u"Profile");
    EXPECT_EQ(filesOnDisk().size(), 6u);
}

TEST_F(Profiles, NewNeverOverwritesAnUnlistedFile) {
    for (int i = 2; i <= 7; ++i) file("z" + std::to_string(i) + ".bin");
    file("Profile_1.bin", 206920, 5);
    manager.scan();
    fs::remove(folder() / "z2.bin");
    fs::remove(folder() / "z3.bin");
    manager.scan();
    ASSERT_EQ(manager.newProfile(image->working.mouseData).status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "Profile_1.bin"), randomBytes(206920, 5));
    EXPECT_TRUE(fs::exists(folder() / "Profile_2.bin"));
}

TEST_F(Profiles, CopyNamesAndContents) {
    file("Profile_1.bin", 206920, 9);
    manager.scan();
    EXPECT_EQ(manager.copyProfile().message, u"Please select a profile to copy\n");
    selectName("Profile_1");
    ASSERT_EQ(manager.copyProfile().status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "Copy of  Profile_1.bin"), randomBytes(206920, 9));
    selectName("Profile_1");
    manager.copyProfile();
    EXPECT_EQ(manager.names(), (Names{"Copy of  Profile_1", "Copy of  Profile_1 1", "Profile_1"}));

    ProfileManager chinese(DataFolders{dir.path(), dir.path()}, kLanguageChinese);
    chinese.scan();
    chinese.select(2);
    chinese.copyProfile();
    EXPECT_TRUE(fs::exists(folder() / "复制  Profile_1.bin"));
}

TEST_F(Profiles, CopyOfAKeyboardOnlyProfileKeepsItsSizeAndSixIsTheLimit) {
    file("old.bin", 10060, 4);
    manager.scan();
    manager.select(0);
    ASSERT_EQ(manager.copyProfile().status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "Copy of  old.bin"), randomBytes(10060, 4));
    // A copy whose name the file system would refuse is not attempted.
    file(std::string(251, 'n') + ".bin", 10060, 4);
    manager.scan();
    manager.select(1);
    const ProfileOutcome tooLong = manager.copyProfile();
    EXPECT_EQ(tooLong.status, ProfileStatus::Failed);
    EXPECT_EQ(tooLong.message, manager.texts().nameTooLong);
    EXPECT_EQ(filesOnDisk().size(), 3u);
    for (int i = 0; i < 3; ++i) file("f" + std::to_string(i) + ".bin");
    manager.scan();
    manager.select(0);
    const ProfileOutcome seventh = manager.copyProfile();
    EXPECT_EQ(seventh.status, ProfileStatus::ShowMessage);
    EXPECT_EQ(seventh.message, u"Only Create Six Profile mostly\n");
    EXPECT_EQ(filesOnDisk().size(), 6u);
}

// A damaged source gives a message and no copy: never a copy padded with zeros.
TEST_F(Profiles, CopyOfADamagedProfileIsReported) {
    struct Case {
        const char* what;
        std::size_t size;
        bool unreadable;
        const char* says;
    };
    const Case cases[] = {
        {"empty", 0, false, "incomplete (0 bytes)"},
        {"short of the keyboard state", 300, false, "incomplete (300 bytes)"},
        {"short of the key assignments", 10061, false, "incomplete (10061 bytes)"},
        {"one byte short", 206919, false, "incomplete (206919 bytes)"},
        {"unreadable", 206920, true, "could not be read"},
    };
    for (const auto& c : cases) {
        file("src.bin", c.size, 2);
        manager.scan();
        manager.select(0);
        std::optional<test::ScopedReadFault> fault;
        if (c.unreadable) fault.emplace("src.bin", test::ScopedReadFault::At::LaterRead, EIO);
        const ProfileOutcome outcome = manager.copyProfile();
        fault.reset();
        EXPECT_EQ(outcome.status, ProfileStatus::Failed) << c.what;
        EXPECT_TRUE(has(outcome.message, c.says)) << c.what;
        EXPECT_EQ(filesOnDisk(), Names{"src.bin"}) << c.what;
    }
}

TEST_F(Profiles, SaveWritesTheSelectedProfileAndTheChosenFile) {
    file("p.bin");
    manager.scan();
    EXPECT_EQ(manager.saveProfile(*image, std::nullopt).message, u"Please select a profile to Save\n");
    manager.select(0);
    image->working.mouseData.GameMode = 1;
    image->working.keyAssignments.records[254].actionPath[255] = 0x1234;
    ASSERT_EQ(manager.saveProfile(*image, std::nullopt).status, ProfileStatus::Done);  // dialog cancelled
    EXPECT_EQ(readBytes(folder() / "p.bin"), imageBytes(*image));
    ASSERT_EQ(manager.saveProfile(*image, dir.path() / "export.bin").status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(dir.path() / "export.bin"), imageBytes(*image));
    EXPECT_EQ(manager.fileDialog().initialFolder, dir.path());
}

// Save's chooser opens beside the utility's own files; none of them is ever
// replaced by a profile image, by whatever path it is named.
TEST_F(Profiles, SaveAndLoadRefuseTheUtilitysOwnFiles) {
    const fs::path resources = dir.path() / "share";
    fs::create_directory(resources);
    ProfileManager split(DataFolders{resources, dir.path()}, kLanguageEnglish);
    file("p.bin", 206920, 6);
    split.scan();
    split.select(0);
    writeBytes(dir.path() / "keymap.bin", randomBytes(206920, 1));
    writeBytes(dir.path() / "MacroDefine.bin", randomBytes(169860, 2));
    writeBytes(resources / "VER.bin", {'V', 'E', 'R', '1', '.', '2', '.', '3'});
    fs::create_symlink(dir.path() / "MacroDefine.bin", dir.path() / "macros-link.bin");
    fs::create_hard_link(dir.path() / "keymap.bin", dir.path() / "keymap-hard.bin");
    const fs::path own[] = {
        dir.path() / "keymap.bin",        dir.path() / "MacroDefine.bin", folder() / ".." / "MacroDefine.bin",
        dir.path() / "macros-link.bin",   dir.path() / "keymap-hard.bin", resources / "VER.bin",
        dir.path() / "." / "keymap.bin",
    };
    image->working.mouseData.GameMode = 1;
    for (const fs::path& target : own) {
        EXPECT_TRUE(split.isOwnFile(target)) << target;
        const ProfileOutcome saved = split.saveProfile(*image, target);
        EXPECT_EQ(saved.status, ProfileStatus::Failed) << target;
        EXPECT_EQ(saved.message, split.texts().ownSettingsFile);
        SettingsImage& before = *image;
        const Bytes working = imageBytes(before);
        EXPECT_EQ(split.loadProfile(*image, target).status, ProfileStatus::Failed) << target;
        EXPECT_EQ(imageBytes(*image), working) << target;
    }
    EXPECT_EQ(readBytes(dir.path() / "keymap.bin"), randomBytes(206920, 1));
    EXPECT_EQ(readBytes(dir.path() / "MacroDefine.bin"), randomBytes(169860, 2));
    EXPECT_EQ(readBytes(resources / "VER.bin").size(), 8u);
    EXPECT_EQ(readBytes(folder() / "p.bin"), imageBytes(*image));  // the profile itself is saved
    EXPECT_FALSE(split.isOwnFile(folder() / "keymap.bin"));       // a profile of that name is not
    EXPECT_FALSE(split.isOwnFile(dir.path() / "export.bin"));
}

TEST_F(Profiles, LoadTakesTheChosenFileAndWritesItIntoTheSelectedProfile) {
    profileFile("p.bin", 206920, 3);
    profileFile("q.bin", 206920, 4);
    manager.scan();
    EXPECT_EQ(manager.loadProfile(*image, folder() / "q.bin").message, u"Please select a profile to Open\n");
    manager.select(0);
    image->working.mouseData.GameMode = 1;
    const Bytes working = imageBytes(*image);
    EXPECT_EQ(manager.loadProfile(*image, std::nullopt).status, ProfileStatus::Ignored);
    EXPECT_EQ(imageBytes(*image), working);
    EXPECT_EQ(readBytes(folder() / "p.bin"), profileBytes(206920, 3));

    ASSERT_EQ(manager.loadProfile(*image, folder() / "q.bin").status, ProfileStatus::Done);
    Bytes expected = profileBytes(206920, 4);
    EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 10060, imageBytes(*image).begin()));
    // The key codes of positions 0..107 are stamped as at every load.
    EXPECT_EQ(image->working.keyAssignments.records[0].keyCode, VirtualKeyDefaults[0]);
    EXPECT_EQ(readBytes(folder() / "p.bin"), imageBytes(*image));
}

// The keyboard state of a new profile made by an earlier version (or by
// hand) is all zeros: loading it keeps the working state and says so.
TEST_F(Profiles, LoadOfAProfileWithoutKeyboardSettingsKeepsTheWorkingState) {
    struct Case {
        const char* what;
        std::size_t size;
        bool keysFromFile;
    };
    const Case cases[] = {
        {"zeros of a new profile", 10060, false},
        {"a full file with zero keyboard state", 206920, true},
    };
    for (const auto& c : cases) {
        Bytes bytes = c.size == 10060 ? Bytes(10060, 0) : randomBytes(c.size, 8);
        std::fill(bytes.begin(), bytes.begin() + 10060, 0);
        writeBytes(folder() / "zero.bin", bytes);
        manager.scan();
        manager.select(0);
        image = std::make_unique<SettingsImage>();
        image->working.mouseData.GameMode = 1;
        image->working.mouseData.ledEffect.LEDEffectBrightness = 4;
        image->working.keyAssignments.records[200].mapType = TYPE_BASIC;
        const MouseData before = image->working.mouseData;

        const ProfileOutcome outcome = manager.loadProfile(*image, folder() / "zero.bin");
        EXPECT_EQ(outcome.status, ProfileStatus::Notice) << c.what;
        EXPECT_EQ(outcome.message, manager.texts().noKeyboardSettings);
        EXPECT_EQ(std::memcmp(&image->working.mouseData, &before, sizeof before), 0) << c.what;
        EXPECT_EQ(image->working.keyAssignments.records[200].mapType == TYPE_BASIC, !c.keysFromFile) << c.what;
        EXPECT_EQ(readBytes(folder() / "zero.bin"), imageBytes(*image)) << c.what;
    }
}

TEST_F(Profiles, LoadOfADeviceOnlyProfileKeepsTheKeyAssignments) {
    profileFile("old.bin", 10060, 5);
    manager.scan();
    manager.select(0);
    image->working.keyAssignments.records[3].mapType = TYPE_BASIC;
    ASSERT_EQ(manager.loadProfile(*image, folder() / "old.bin").status, ProfileStatus::Done);
    EXPECT_EQ(std::memcmp(&image->working.mouseData, profileBytes(10060, 5).data(), 10060), 0);
    EXPECT_EQ(image->working.keyAssignments.records[3].mapType, TYPE_BASIC);
    EXPECT_EQ(readBytes(folder() / "old.bin").size(), 206920u);
}

// Nothing is taken from an unreadable or incomplete file: working copy and
// profile stay as they were, and the person is told which file it was.
TEST_F(Profiles, LoadOfADamagedFileChangesNothing) {
    struct Case {
        const char* what;
        std::size_t size;
        std::optional<test::ScopedReadFault::At> fault;
        const char* says;
    };
    const Case cases[] = {
        {"missing", 0, std::nullopt, "could not be read"},
        {"empty", 0, std::nullopt, "incomplete (0 bytes)"},
        {"short", 5000, std::nullopt, "incomplete (5000 bytes)"},
        {"short of the key assignments", 100000, std::nullopt, "incomplete (100000 bytes)"},
        {"fails at open", 206920, test::ScopedReadFault::At::Open, "could not be read"},
        {"fails part way", 206920, test::ScopedReadFault::At::LaterRead, "could not be read"},
        {"a firmware image", 300000, std::nullopt, "is not a profile (300000 bytes"},
        {"one byte over", 206921, std::nullopt, "is not a profile (206921 bytes"},
        {"a profile's size, values the keyboard refuses", 206920, std::nullopt, "does not accept"},
    };
    profileFile("p.bin", 206920, 3);
    manager.scan();
    manager.select(0);
    image->working.mouseData.GameMode = 1;
    const Bytes working = imageBytes(*image);
    for (const auto& c : cases) {
        const fs::path chosen = dir.path() / "chosen.bin";
        fs::remove(chosen);
        if (std::string(c.what) != "missing") writeBytes(chosen, randomBytes(c.size, 7));
        std::optional<test::ScopedReadFault> fault;
        if (c.fault) fault.emplace("chosen.bin", *c.fault, EIO);
        const ProfileOutcome outcome = manager.loadProfile(*image, chosen);
        fault.reset();
        EXPECT_EQ(outcome.status, ProfileStatus::Failed) << c.what;
        EXPECT_TRUE(has(outcome.message, c.says))
            << c.what;
        EXPECT_EQ(imageBytes(*image), working) << c.what;
        EXPECT_EQ(readBytes(folder() / "p.bin"), profileBytes(206920, 3)) << c.what;
    }
}

TEST_F(Profiles, DeleteAsksFirstAndKeepsTheLastProfile) {
    file("only.bin");
    manager.scan();
    manager.select(0);
    EXPECT_EQ(manager.requestDelete().message, u"Please keep a profile\n");
    EXPECT_EQ(manager.deleteConfirmed().status, ProfileStatus::ShowMessage);
    EXPECT_TRUE(fs::exists(folder() / "only.bin"));

    file("two.bin");
    manager.scan();
    EXPECT_EQ(manager.requestDelete().message, u"Please select a profile to delete\n");
    manager.select(1);
    const auto ask = manager.requestDelete();
    EXPECT_EQ(ask.status, ProfileStatus::NeedConfirmation);
    EXPECT_EQ(ask.message, u"Delete current profile ?");
    ASSERT_EQ(manager.deleteConfirmed().status, ProfileStatus::Done);
    EXPECT_EQ(manager.names(), Names{"only"});
    EXPECT_EQ(filesOnDisk(), Names{"only.bin"});
}

TEST_F(Profiles, RenameRefusesBadAndTakenNamesWithAMessage) {
    file("a.bin", 10060, 1);
    file("b.bin", 10060, 2);
    writeBytes(folder() / "hidden.txt.bin", {});  // not listed once six exist; still never replaced
    manager.scan();
    const ProfileTexts& t = manager.texts();
    struct Case {
        std::string to;
        std::u16string message;
    };
    const Case refused[] = {
        {"b", t.nameTaken},          {"b.bin", t.nameTaken},
        {"hidden.txt", t.nameTaken}, {"", t.nameEmpty},
        {"..", t.nameSlashOrDots},   {"../up", t.nameSlashOrDots},
        {"x/y", t.nameSlashOrDots},  {"a\tb", t.nameControl},
        {std::string(256, 'n'), t.nameTooLong}, {".bin", t.nameEmpty},
    };
    for (const auto& c : refused) {
        const ProfileOutcome outcome = manager.rename(0, c.to);
        EXPECT_EQ(outcome.status, ProfileStatus::Refused) << c.to;
        EXPECT_EQ(outcome.message, c.message) << c.to;
        EXPECT_EQ(manager.names(), (Names{"a", "b", "hidden.txt"})) << c.to;
    }
    EXPECT_EQ(filesOnDisk(), (Names{"a.bin", "b.bin", "hidden.txt.bin"}));
    EXPECT_EQ(readBytes(folder() / "b.bin"), randomBytes(10060, 2));
    EXPECT_EQ(filesBeside(), Names{"Configure"});
    // Its own name with ".bin" typed: the same file, nothing to do.
    EXPECT_EQ(manager.rename(0, "a.bin").status, ProfileStatus::Ignored);
    EXPECT_EQ(filesOnDisk(), (Names{"a.bin", "b.bin", "hidden.txt.bin"}));
}

TEST_F(Profiles, RenameMovesTheListedFile) {
    file("a.bin", 10060, 1);
    file("b.bin", 10060, 2);
    manager.scan();
    ASSERT_EQ(manager.rename(0, "my.binary").status, ProfileStatus::Done);
    EXPECT_EQ(filesOnDisk(), (Names{"b.bin", "my.binary.bin"}));
    EXPECT_EQ(readBytes(folder() / "my.binary.bin"), randomBytes(10060, 1));
    EXPECT_EQ(manager.names(), (Names{"b", "my.binary"}));
    ASSERT_EQ(manager.rename(1, "配置 d").status, ProfileStatus::Done);
    EXPECT_EQ(filesOnDisk(), (Names{"b.bin", "配置 d.bin"}));
    EXPECT_EQ(readBytes(folder() / "配置 d.bin"), randomBytes(10060, 1));

    fs::remove(folder() / "b.bin");  // listed but gone
    const ProfileOutcome failed = manager.rename(0, "c");
    EXPECT_EQ(failed.status, ProfileStatus::Failed);
    EXPECT_EQ(failed.message, u"Fail");
    EXPECT_TRUE(failed.caption.empty());
}

// "a.bin" and "a.bin.bin" are two profiles; every action on the second one
// touches its own file and never the first.
TEST_F(Profiles, ANameContainingBinActsOnItsOwnFile) {
    file("a.bin", 206920, 1);
    file("a.bin.bin", 206920, 2);
    manager.scan();
    ASSERT_EQ(manager.names(), (Names{"a", "a.bin"}));
    const Bytes first = randomBytes(206920, 1);

    selectName("a.bin");
    image->working.mouseData.GameMode = 1;
    ASSERT_EQ(manager.saveProfile(*image, std::nullopt).status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "a.bin.bin").at(offsetof(MouseData, GameMode)), 1);
    EXPECT_EQ(readBytes(folder() / "a.bin"), first);

    writeBytes(dir.path() / "chosen.bin", profileBytes(206920, 3));
    selectName("a.bin");
    ASSERT_EQ(manager.loadProfile(*image, dir.path() / "chosen.bin").status, ProfileStatus::Done);
    const Bytes loaded = readBytes(folder() / "a.bin.bin");
    EXPECT_EQ(loaded, imageBytes(*image));
    EXPECT_EQ(readBytes(folder() / "a.bin"), first);

    selectName("a.bin");
    ASSERT_EQ(manager.copyProfile().status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "Copy of  a.bin.bin"), loaded);

    selectName("a.bin");
    ASSERT_EQ(manager.rename(static_cast<std::size_t>(manager.selection()), "c").status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "c.bin"), loaded);

    selectName("Copy of  a.bin");
    ASSERT_EQ(manager.deleteConfirmed().status, ProfileStatus::Done);
    EXPECT_EQ(filesOnDisk(), (Names{"a.bin", "c.bin"}));
    EXPECT_EQ(readBytes(folder() / "a.bin"), first);
}

TEST(ProfileTexts, ChineseTexts) {
    const ProfileTexts t = profileTexts(kLanguageChinese);
    EXPECT_EQ(t.keepOne, u"请至少保留一个配置文件");
    EXPECT_EQ(t.caption, u"配置管理");
    EXPECT_EQ(t.copyPrefix, u"复制 ");
    EXPECT_EQ(t.menuLoad, u"加载");
    EXPECT_EQ(profileTexts(kLanguageEnglish).menuLoad, u"Load");
    EXPECT_TRUE(has(t.truncated("/x/p.bin", 12), u"12 字节"));
}

}  // namespace
}  // namespace orvane
