// The window started from files of random bytes, before any keyboard was
// read: it shows them without a fault and leaves the files as they are.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "app/orvanedlg.h"
#include "platform/hostshell.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "virtualkeyboard/transcriptsleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace orvane {
namespace {

struct NoShell : HostShell {
    bool startDetached(const std::string&, const std::string&) override { return false; }
    bool openWithDesktop(const std::string&) override { return false; }
    bool isExecutableFile(const std::string&) override { return false; }
};

std::vector<unsigned char> noise(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<unsigned char> bytes(size);
    for (auto& b : bytes) b = static_cast<unsigned char>(gen());
    return bytes;
}

TEST(MainWindowBadFiles, RandomFilesAreShownAsTheyStandAndNotRewritten) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        test::TempDir dir;
        auto keymap = noise(206920, seed);
        keymap[7451] = 141;  // speed
        keymap[7476] = 237;  // game mode
        keymap[11] = 38;     // report rate
        const auto macros = noise(169860, seed + 100);
        test::writeBytes(dir / "keymap.bin", keymap);
        test::writeBytes(dir / "MacroDefine.bin", macros);

        auto keyboard = std::make_shared<VirtualKeyboard>();
        keyboard->unplug();  // nothing read from a keyboard replaces the file's values
        VirtualHidBackend backend{keyboard};
        TranscriptSleeper sleeper{*keyboard};
        NoShell shell;
        test::ScriptedDialogs dialogs;
        auto image = std::make_unique<SettingsImage>();
        {
            COrvaneDlg window(COrvaneDlg::Environment{*image, backend, sleeper, shell, dialogs, {dir.path(), dir.path()},
                                                      seed % 2 ? kLanguageChinese : kLanguageEnglish, false});
            window.OnInitDialog();  // without a tray the window shows
            window.controller().repaint();
            EXPECT_FALSE(window.canvas().isNull());
        }
        EXPECT_EQ(test::readBytes(dir / "keymap.bin"), keymap);
        EXPECT_EQ(test::readBytes(dir / "MacroDefine.bin"), macros);
    }
}

}  // namespace
}  // namespace orvane
