#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "mainwindow/model/firmwarecheck.h"
#include "mainwindow/model/hostaction.h"
#include "support/recordingshell.h"

namespace orvane {
namespace {

using test::RecordingShell;

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
    EXPECT_EQ(runHostAction(*table, 0x41, shell), HostActionRun::Done);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], "/docs/report.pdf");
    EXPECT_TRUE(shell.started.empty());
}

TEST(HostAction, OnlyStartupRunsProgramsAndFallsBackToTheDesktop) {
    // On a vfat stick every file has the execute bit.
    struct Case {
        const char* what;
        std::uint8_t type;
        bool starts;       // startDetached succeeds
        bool opens;        // openWithDesktop succeeds
        int started, opened;
        HostActionRun result;
    };
    const Case cases[] = {
        {"a sound", TYPE_PLAY_SOUND, true, true, 0, 1, HostActionRun::Done},
        {"a file", TYPE_OPEN_FILE, true, true, 0, 1, HostActionRun::Done},
        {"a folder", TYPE_OPEN_FOLDER, true, true, 0, 1, HostActionRun::Done},
        {"a program", TYPE_STARTUP, true, true, 1, 0, HostActionRun::Done},
        {"a script without #!", TYPE_STARTUP, false, true, 1, 1, HostActionRun::Done},
        {"neither works", TYPE_STARTUP, false, false, 1, 1, HostActionRun::Failed},
        {"a sound without a player", TYPE_PLAY_SOUND, true, false, 0, 1, HostActionRun::Failed},
    };
    struct Shell : RecordingShell {
        bool starts = true, opens = true;
        bool startDetached(const std::string& p, const std::string& d) override {
            RecordingShell::startDetached(p, d);
            return starts;
        }
        bool openWithDesktop(const std::string& p) override {
            RecordingShell::openWithDesktop(p);
            return opens;
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto table = std::make_unique<KeyAssignmentTable>();
        assign(table->records[0], 0x41, c.type, u"/media/stick/song.mp3");
        Shell shell;
        shell.executables = {"/media/stick/song.mp3"};
        shell.starts = c.starts;
        shell.opens = c.opens;
        std::string path;
        EXPECT_EQ(runHostAction(*table, 0x41, shell, &path), c.result);
        EXPECT_EQ(static_cast<int>(shell.started.size()), c.started);
        EXPECT_EQ(static_cast<int>(shell.opened.size()), c.opened);
        EXPECT_EQ(path, "/media/stick/song.mp3");
    }
    EXPECT_EQ(hostActionFailure("/a/b.mp3", kLanguageEnglish).text,
              u"The action of this key could not be carried out:\n/a/b.mp3");
}

TEST(HostAction, ProgramsStartInTheirFolderAndNothingHappensWithoutAMatch) {
    auto table = std::make_unique<KeyAssignmentTable>();
    assign(table->records[0], 0x1B, TYPE_STARTUP, u"/opt/tools/app");
    assign(table->records[1], 0x70, TYPE_OPEN_FOLDER, u"/");
    RecordingShell shell;
    shell.executables = {"/opt/tools/app"};
    EXPECT_EQ(runHostAction(*table, 0x1B, shell), HostActionRun::Done);
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].first, "/opt/tools/app");
    EXPECT_EQ(shell.started[0].second, "/opt/tools");
    EXPECT_EQ(runHostAction(*table, 0x70, shell), HostActionRun::Failed);  // "/" names no file
    EXPECT_EQ(runHostAction(*table, 0x42, shell), HostActionRun::NoAction);
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
