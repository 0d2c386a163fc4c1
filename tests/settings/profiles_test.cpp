#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "settings/profiles.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;
using Names = std::vector<std::string>;

std::vector<unsigned char> randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<unsigned char> v(n);
    for (auto& b : v) b = static_cast<unsigned char>(gen());
    return v;
}

class Profiles : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(folder()); }
    fs::path folder() const { return dir.path() / "Configure"; }
    void file(const std::string& name, std::size_t size = 10060, unsigned seed = 1) {
        writeBytes(folder() / name, randomBytes(size, seed));
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

    test::TempDir dir;
    ProfileManager manager{dir.path(), kLanguageEnglish};
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
};

TEST(ProfileNames, InvalidNamesAndDisplayNames) {
    for (const char* bad : {"", ".", "..", "a/b", "/", "../x"}) {
        EXPECT_FALSE(isValidProfileName(bad)) << bad;
    }
    EXPECT_TRUE(isValidProfileName("Copy of  Profile_1"));
    EXPECT_TRUE(isValidProfileName("..."));
    // Only the suffix goes, once: the name still leads back to its file.
    EXPECT_EQ(profileDisplayName("a.bin.bin"), "a.bin");
    EXPECT_EQ(profileDisplayName("x.binder.bin"), "x.binder");
    EXPECT_EQ(profileDisplayName("my.binary.bin"), "my.binary");
    EXPECT_EQ(profileDisplayName("..bin"), ".");
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

TEST_F(Profiles, MissingFolderListsNothingAndCreatesNothing) {
    fs::remove(folder());
    manager.scan();
    EXPECT_TRUE(manager.names().empty());
    EXPECT_EQ(manager.newProfile().status, ProfileStatus::Failed);
    EXPECT_FALSE(fs::exists(folder()));
}

TEST_F(Profiles, NewFillsTheFirstGapAndStopsAtSix) {
    file("Profile_1.bin");
    file("Profile_3.bin");
    manager.scan();
    ASSERT_EQ(manager.newProfile().status, ProfileStatus::Done);
    EXPECT_EQ(manager.names(), (Names{"Profile_1", "Profile_2", "Profile_3"}));
    const auto bytes = readBytes(folder() / "Profile_2.bin");
    EXPECT_EQ(bytes.size(), 10060u);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 10060);
    for (int i = 0; i < 3; ++i) manager.newProfile();
    EXPECT_EQ(manager.names().size(), 6u);
    const auto refused = manager.newProfile();
    EXPECT_EQ(refused.status, ProfileStatus::ShowMessage);
    EXPECT_EQ(refused.message, "Only Create Six Profile mostly\n");
    EXPECT_EQ(refused.caption, "Profile");
    EXPECT_EQ(filesOnDisk().size(), 6u);
}

TEST_F(Profiles, NewNeverOverwritesAnUnlistedFile) {
    for (int i = 2; i <= 7; ++i) file("z" + std::to_string(i) + ".bin");  // six listed: z2..z7
    file("Profile_1.bin", 206920, 5);
    manager.scan();
    fs::remove(folder() / "z2.bin");
    manager.scan();  // Profile_1 is listed now: five left
    fs::remove(folder() / "z3.bin");
    manager.scan();
    ASSERT_EQ(manager.newProfile().status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "Profile_1.bin"), randomBytes(206920, 5));
    EXPECT_TRUE(fs::exists(folder() / "Profile_2.bin"));
}

TEST_F(Profiles, CopyNamesAndContents) {
    file("Profile_1.bin", 206920, 9);
    manager.scan();
    EXPECT_EQ(manager.copyProfile().message, "Please select a profile to copy\n");
    selectName("Profile_1");
    ASSERT_EQ(manager.copyProfile().status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "Copy of  Profile_1.bin"), randomBytes(206920, 9));
    selectName("Profile_1");
    manager.copyProfile();
    EXPECT_EQ(manager.names(), (Names{"Copy of  Profile_1", "Copy of  Profile_1 1", "Profile_1"}));

    ProfileManager chinese(dir.path(), kLanguageChinese);
    chinese.scan();
    chinese.select(2);
    chinese.copyProfile();
    EXPECT_TRUE(fs::exists(folder() / "复制  Profile_1.bin"));
}

TEST_F(Profiles, CopyOfAShortOrUnreadableProfile) {
    file("short.bin", 300, 4);
    manager.scan();
    manager.select(0);
    ASSERT_EQ(manager.copyProfile().status, ProfileStatus::Done);
    const auto copy = readBytes(folder() / "Copy of  short.bin");
    ASSERT_EQ(copy.size(), 10060u);  // the device image padded with zeros
    EXPECT_TRUE(std::equal(copy.begin(), copy.begin() + 300, randomBytes(300, 4).begin()));
    EXPECT_EQ(copy[300], 0);

    fs::remove(folder() / "short.bin");  // listed but gone
    manager.scan();
    fs::rename(folder() / "Copy of  short.bin", folder() / "gone.bin");
    manager.select(0);
    EXPECT_EQ(manager.copyProfile().status, ProfileStatus::Failed);
    EXPECT_EQ(filesOnDisk(), Names{"gone.bin"});  // no blank copy appears
}

TEST_F(Profiles, SaveWritesTheSelectedProfileAndTheChosenFile) {
    file("p.bin");
    manager.scan();
    EXPECT_EQ(manager.saveProfile(*image, std::nullopt).message, "Please select a profile to Save\n");
    manager.select(0);
    image->working.mouseData.GameMode = 1;
    image->working.keyAssignments.records[254].actionPath[255] = 0x1234;
    ASSERT_EQ(manager.saveProfile(*image, std::nullopt).status, ProfileStatus::Done);  // dialog cancelled
    const auto bytes = readBytes(folder() / "p.bin");
    ASSERT_EQ(bytes.size(), 206920u);
    EXPECT_EQ(std::memcmp(bytes.data(), &image->working, bytes.size()), 0);
    ASSERT_EQ(manager.saveProfile(*image, dir.path() / "export.bin").status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(dir.path() / "export.bin"), bytes);
    EXPECT_EQ(manager.fileDialog().initialFolder, dir.path());
}

TEST_F(Profiles, SaveNeverReplacesASettingsFileFoundUnreadable) {
    file("p.bin");
    manager.scan();
    manager.select(0);
    for (const char* name : {"keymap.bin", "MacroDefine.bin"}) {
        writeBytes(dir.path() / name, {1, 2, 3});
    }
    image->unreadableFiles.keymap = true;
    image->unreadableFiles.macros = true;
    EXPECT_EQ(manager.saveProfile(*image, dir.path() / "keymap.bin").status, ProfileStatus::Failed);
    EXPECT_EQ(manager.saveProfile(*image, folder() / ".." / "MacroDefine.bin").status,
              ProfileStatus::Failed);
    EXPECT_EQ(readBytes(dir.path() / "keymap.bin"), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(readBytes(dir.path() / "MacroDefine.bin"), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(readBytes(folder() / "p.bin").size(), 206920u);  // the profile itself is saved
}

TEST_F(Profiles, LoadOfANewProfileZeroesOnlyMouseData) {
    manager.scan();
    manager.newProfile();
    manager.select(0);
    image->working.mouseData.GameMode = 1;
    image->working.mouseData.reserved0[0] = 9;
    image->working.keyAssignments.records[3].mapType = TYPE_BASIC;
    const fs::path chosen = folder() / "Profile_1.bin";
    EXPECT_EQ(manager.loadProfile(*image, std::nullopt).status, ProfileStatus::Ignored);
    EXPECT_EQ(image->working.mouseData.GameMode, 1);
    ASSERT_EQ(manager.loadProfile(*image, chosen).status, ProfileStatus::Done);
    EXPECT_EQ(image->working.mouseData.GameMode, 0);
    EXPECT_EQ(image->working.mouseData.reserved0[0], 0);
    EXPECT_EQ(image->working.keyAssignments.records[3].mapType, TYPE_BASIC);
    EXPECT_EQ(readBytes(chosen).size(), 206920u);  // the profile now holds the whole image
}

TEST_F(Profiles, LoadOfAnUnreadableFileLeavesEverything) {
    file("p.bin", 206920, 3);
    manager.scan();
    EXPECT_EQ(manager.loadProfile(*image, folder() / "p.bin").message,
              "Please select a profile to Open\n");
    manager.select(0);
    image->working.mouseData.GameMode = 1;
    EXPECT_EQ(manager.loadProfile(*image, dir.path() / "nope.bin").status, ProfileStatus::Failed);
    EXPECT_EQ(image->working.mouseData.GameMode, 1);
    EXPECT_EQ(readBytes(folder() / "p.bin"), randomBytes(206920, 3));
}

TEST_F(Profiles, DeleteAsksFirstAndKeepsTheLastProfile) {
    file("only.bin");
    manager.scan();
    manager.select(0);
    EXPECT_EQ(manager.requestDelete().message, "Please keep a profile\n");
    EXPECT_EQ(manager.deleteConfirmed().status, ProfileStatus::ShowMessage);
    EXPECT_TRUE(fs::exists(folder() / "only.bin"));

    file("two.bin");
    manager.scan();
    EXPECT_EQ(manager.requestDelete().message, "Please select a profile to delete\n");
    manager.select(1);
    const auto ask = manager.requestDelete();
    EXPECT_EQ(ask.status, ProfileStatus::NeedConfirmation);
    EXPECT_EQ(ask.message, "Delete current profile ?");
    ASSERT_EQ(manager.deleteConfirmed().status, ProfileStatus::Done);
    EXPECT_EQ(manager.names(), Names{"only"});
    EXPECT_EQ(filesOnDisk(), Names{"only.bin"});
}

TEST_F(Profiles, RenameMovesTheFileOrIsUndone) {
    file("a.bin", 10060, 1);
    file("b.bin", 10060, 2);
    manager.scan();
    struct Case {
        const char* to;
        ProfileStatus status;
    };
    const Case refused[] = {
        {"b", ProfileStatus::Refused},    {"b.bin", ProfileStatus::Refused},
        {"", ProfileStatus::Refused},     {"..", ProfileStatus::Refused},
        {"../up", ProfileStatus::Refused}, {".bin", ProfileStatus::Refused},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(manager.rename(0, c.to).status, c.status) << c.to;
        EXPECT_EQ(manager.names(), (Names{"a", "b"}));
    }
    EXPECT_EQ(filesOnDisk(), (Names{"a.bin", "b.bin"}));
    EXPECT_FALSE(fs::exists(dir.path() / "up.bin"));

    ASSERT_EQ(manager.rename(0, "my.binary").status, ProfileStatus::Done);
    EXPECT_EQ(filesOnDisk(), (Names{"b.bin", "my.binary.bin"}));
    EXPECT_EQ(readBytes(folder() / "my.binary.bin"), randomBytes(10060, 1));
    EXPECT_EQ(manager.names(), (Names{"b", "my.binary"}));
    // Renamed again, the listed file is the one that moves.
    ASSERT_EQ(manager.rename(1, "d").status, ProfileStatus::Done);
    EXPECT_EQ(filesOnDisk(), (Names{"b.bin", "d.bin"}));
    EXPECT_EQ(readBytes(folder() / "d.bin"), randomBytes(10060, 1));
}

// "a.bin" and "a.bin.bin" are two profiles; every action on the second one
// touches its own file and never the first.
TEST_F(Profiles, ANameContainingBinActsOnItsOwnFile) {
    file("a.bin", 206920, 1);
    file("a.bin.bin", 206920, 2);
    manager.scan();
    ASSERT_EQ(manager.names(), (Names{"a", "a.bin"}));
    const auto first = randomBytes(206920, 1);

    selectName("a.bin");
    image->working.mouseData.GameMode = 1;
    ASSERT_EQ(manager.saveProfile(*image, std::nullopt).status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "a.bin.bin").at(offsetof(MouseData, GameMode)), 1);
    EXPECT_EQ(readBytes(folder() / "a.bin"), first);

    writeBytes(dir.path() / "chosen.bin", randomBytes(206920, 3));
    selectName("a.bin");
    ASSERT_EQ(manager.loadProfile(*image, dir.path() / "chosen.bin").status, ProfileStatus::Done);
    const auto loaded = readBytes(folder() / "a.bin.bin");
    EXPECT_EQ(std::memcmp(loaded.data(), &image->working, loaded.size()), 0);
    EXPECT_EQ(readBytes(folder() / "a.bin"), first);

    selectName("a.bin");
    ASSERT_EQ(manager.copyProfile().status, ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "Copy of  a.bin.bin"), loaded);
    EXPECT_EQ(manager.names(), (Names{"a", "a.bin", "Copy of  a.bin"}));

    selectName("a.bin");
    ASSERT_EQ(manager.rename(static_cast<std::size_t>(manager.selection()), "c").status,
              ProfileStatus::Done);
    EXPECT_EQ(readBytes(folder() / "c.bin"), loaded);
    EXPECT_EQ(filesOnDisk(), (Names{"Copy of  a.bin.bin", "a.bin", "c.bin"}));

    selectName("Copy of  a.bin");
    ASSERT_EQ(manager.deleteConfirmed().status, ProfileStatus::Done);
    EXPECT_EQ(filesOnDisk(), (Names{"a.bin", "c.bin"}));
    EXPECT_EQ(manager.names(), (Names{"a", "c"}));
    EXPECT_EQ(readBytes(folder() / "a.bin"), first);
}

TEST(ProfileTexts, ChineseTexts) {
    const ProfileTexts t = profileTexts(kLanguageChinese);
    EXPECT_EQ(t.keepOne, "请至少保留一个配置文件");
    EXPECT_EQ(t.caption, "配置管理");
    EXPECT_EQ(t.copyPrefix, "复制 ");
    EXPECT_EQ(profileTexts(kLanguageEnglish).menuLoad, "Load");
}

}  // namespace
}  // namespace orvane
