#include <gtest/gtest.h>

#include <unistd.h>

#include "settings/datafolders.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

TEST(DataFolders, ABuildTreeKeepsEverythingBesideTheExecutable) {
    test::TempDir dir;
    fs::create_directories(dir / "bin" / "png");
    const DataFolders f = decideDataFolders(dir / "bin", {"/x/data", "/home/u"});
    EXPECT_EQ(f.resources, dir / "bin");
    EXPECT_EQ(f.state, dir / "bin");
}

TEST(DataFolders, AnInstallationReadsShareAndWritesTheUsersDataFolder) {
    test::TempDir dir;
    fs::create_directories(dir / "usr" / "bin");
    struct Case {
        std::optional<std::string> xdg, home;
        fs::path state;
    };
    const Case cases[] = {
        {"relative/data", "/home/u", "/home/u/.local/share/orvane"},  // relative: ignored
        {"", "/home/u", "/home/u/.local/share/orvane"},
        {std::nullopt, "/home/u", "/home/u/.local/share/orvane"},
        {"/x/data", "/home/u", "/x/data/orvane"},
        {"/x/data", std::nullopt, "/x/data/orvane"},
        {std::nullopt, std::nullopt, fs::temp_directory_path() / "orvane"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state.string());
        const DataFolders f = decideDataFolders(dir / "usr" / "bin", {c.xdg, c.home});
        EXPECT_EQ(f.resources, (dir / "usr" / "share" / "orvane").lexically_normal());
        EXPECT_EQ(f.state, c.state);
    }
}

TEST(DataFolders, ASkinInAFolderNobodyMayWriteIsAnInstallation) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any folder";
    test::TempDir dir;
    fs::create_directories(dir / "opt" / "bin" / "png");
    fs::permissions(dir / "opt" / "bin", fs::perms::owner_read | fs::perms::owner_exec);
    const DataFolders f = decideDataFolders(dir / "opt" / "bin", {"/x/data", "/home/u"});
    fs::permissions(dir / "opt" / "bin", fs::perms::owner_all);
    EXPECT_EQ(f.resources, (dir / "opt" / "share" / "orvane").lexically_normal());
    EXPECT_EQ(f.state, fs::path("/x/data/orvane"));
}

}  // namespace
}  // namespace orvane
