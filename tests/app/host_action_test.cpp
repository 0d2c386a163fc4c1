#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/firmwarecheck.h"
#include "app/hostaction.h"

namespace orvane {
namespace {

struct RecordingShell : HostShell {
    std::vector<std::pair<std::string, std::string>> started;
    std::vector<std::string> opened;
    std::vector<std::string> executables;
    bool startDetached(const std::string& program, const std::string& dir) override {
        started.emplace_back(program, dir);
        return true;
    }
    bool openWithDesktop(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    bool isExecutableFile(const std::string& path) override {
        return std::find(executables.begin(), executables.end(), path) != executables.end();
    }
};

void assign(KeyAssignment& r, std::uint8_t code, std::uint8_t type, std::u16string_view path) {
    r.keyCode = code;
    r.mapType = type;
    ASSERT_TRUE(setFixedText(r.actionPath, path));
}

TEST(HostActionPath, SplitsAtTheLastSlash) {
    struct Case { std::u16string path; std::string dir, file; };
    const Case cases[] = {
        {u"", "", ""},
        {u"/", "", ""},                       // nothing to open
        {u"noslash", "noslash", ""},
        {u"/opt/tools/app", "/opt/tools", "app"},
        {u"/home/u/Music/Playlist", "/home/u/Music", "Playlist"},
        {u"/home/u/Música/ß.ogg", "/home/u/Música", "ß.ogg"},
        {u"/a/b/", "/a/b", ""},
    };
    for (const auto& c : cases) {
        const auto t = splitActionPath(c.path);
        EXPECT_EQ(t.directory, c.dir);
        EXPECT_EQ(t.fileName, c.file);
    }
}

TEST(HostAction, FirstHostRecordWithTheCodeWinsAndOtherTypesAreSkipped) {
    auto table = std::make_unique<KeyAssignmentTable>();
    assign(table->records[3], 0x41, TYPE_BASIC, u"/ignored/basic");
    assign(table->records[9], 0x41, TYPE_OPEN_FILE, u"/docs/report.pdf");
    assign(table->records[20], 0x41, TYPE_STARTUP, u"/bin/later");
    RecordingShell shell;
    EXPECT_TRUE(runHostAction(*table, 0x41, shell));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], "/docs/report.pdf");
    EXPECT_TRUE(shell.started.empty());
}

TEST(HostAction, ProgramsStartInTheirFolderAndNothingHappensWithoutAMatch) {
    auto table = std::make_unique<KeyAssignmentTable>();
    assign(table->records[0], 0x1B, TYPE_STARTUP, u"/opt/tools/app");
    assign(table->records[1], 0x70, TYPE_OPEN_FOLDER, u"/");
    RecordingShell shell;
    shell.executables = {"/opt/tools/app"};
    EXPECT_TRUE(runHostAction(*table, 0x1B, shell));
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].first, "/opt/tools/app");
    EXPECT_EQ(shell.started[0].second, "/opt/tools");
    EXPECT_FALSE(runHostAction(*table, 0x70, shell));  // "/" names no file
    EXPECT_FALSE(runHostAction(*table, 0x42, shell));  // no record
    EXPECT_EQ(shell.started.size(), 1u);
    EXPECT_TRUE(shell.opened.empty());
}

TEST(Utf, RoundTripsAndReplacesBrokenSequences) {
    const std::u16string text = u"a/ß/中/\U0001F600";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(fromUtf8("\xC3"), u"\uFFFD");
    EXPECT_EQ(fromUtf8("a\xE4\xB8"), u"a\uFFFD\uFFFD");
}

TEST(FirmwareCheck, PackageNewerByMajorThenMinor) {
    using V = std::array<std::uint8_t, 4>;
    EXPECT_TRUE(packageIsNewer(V{1, 3}, V{1, 2}));
    EXPECT_FALSE(packageIsNewer(V{1, 3}, V{1, 3}));
    EXPECT_FALSE(packageIsNewer(V{1, 3}, V{2, 0}));
    EXPECT_TRUE(packageIsNewer(V{2, 0}, V{1, 9}));
    EXPECT_FALSE(packageIsNewer(V{0, 0}, V{0, 0}));   // no VER.bin
    EXPECT_TRUE(packageIsNewer(V{0xD0, 0}, V{9, 9})); // unsigned compare
    EXPECT_TRUE(updateQuestion(kLanguageChinese).caption == u"固件更新");
    EXPECT_TRUE(updateQuestion(kLanguageEnglish).text == u"Update new firmware？");
    RecordingShell shell;
    EXPECT_TRUE(startUpdater("/opt/orvane", shell));
    EXPECT_EQ(shell.started.at(0).first, "/opt/orvane/Update");
}

}  // namespace
}  // namespace orvane
