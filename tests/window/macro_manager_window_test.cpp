#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstring>
#include <functional>
#include <memory>

#include "app/orvanedlg.h"
#include "macro/macrorecorddlg.h"
#include "platform/hostshell.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "virtualkeyboard/transcriptsleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace orvane {
namespace {

struct NoShell : HostShell {
    bool startDetached(const std::string&, const std::string&) override { return true; }
    bool openWithDesktop(const std::string&) override { return true; }
    bool isExecutableFile(const std::string&) override { return false; }
};

template <typename Pred>
bool spinUntil(Pred pred) {
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return pred();
}

// Points of the panel's regions and of the main window's macro button.
constexpr QPoint kMacroButton(100, 158);
constexpr QPoint kRecord(300, 110), kNew(40, 380), kOk(300, 410), kCancel(360, 410);

// The utility on the virtual keyboard; the macro manager is driven while it is open.
class MacroManagerWindow : public ::testing::Test {
protected:
    test::TempDir dir;
    std::shared_ptr<VirtualKeyboard> keyboard = std::make_shared<VirtualKeyboard>();
    VirtualHidBackend backend{keyboard};
    TranscriptSleeper sleeper{*keyboard};
    NoShell shell;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<COrvaneDlg> window;

    void SetUp() override {
        window = std::make_unique<COrvaneDlg>(COrvaneDlg::Environment{
            *image, backend, sleeper, shell, dialogs, {dir.path(), dir.path()}, kLanguageEnglish, false});
        window->OnInitDialog();
        ASSERT_TRUE(spinUntil([&] { return !window->link().readAllThreadRunning(); }));
        ASSERT_TRUE(spinUntil([&] { return std::filesystem::exists(dir / "keymap.bin"); }));
    }
    void TearDown() override { window.reset(); }

    // Opens the macro manager from its button and runs `steps` on it while it is open.
    void withPanel(std::function<void(MacroPanelController&)> steps) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* panel = qobject_cast<CMacroRecordDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(panel, nullptr);
            ran = true;
            steps(panel->controller());
            if (panel->isVisible()) panel->controller().onLButtonUp(kCancel.x(), kCancel.y());
        });
        window->controller().onLButtonUp(kMacroButton.x(), kMacroButton.y());
        EXPECT_TRUE(ran);
    }
    static void click(MacroPanelController& panel, QPoint at) { panel.onLButtonUp(at.x(), at.y()); }
};

TEST_F(MacroManagerWindow, CancelLeavesTheFilesAndTheKeyboardUntouched) {
    const auto macros = test::readBytes(dir / "MacroDefine.bin");
    const auto keymap = test::readBytes(dir / "keymap.bin");
    const MouseData device = keyboard->memory();
    withPanel([](MacroPanelController& panel) {
        click(panel, kNew);
        click(panel, kRecord);
        panel.onKey(0x41, false);
        panel.onKey(0x41, true);
        click(panel, kCancel);
    });
    EXPECT_EQ(test::readBytes(dir / "MacroDefine.bin"), macros);
    EXPECT_EQ(test::readBytes(dir / "keymap.bin"), keymap);
    EXPECT_EQ(image->macroStore.records[0].name[0], 0);
    keyboard->clearTranscript();
    window->controller().save();
    EXPECT_TRUE(keyboard->transcript().empty());
    const MouseData after = keyboard->memory();
    EXPECT_EQ(std::memcmp(&device, &after, sizeof(MouseData)), 0);
}

TEST_F(MacroManagerWindow, OkWritesTheMacroAndSaveSendsItsSlot) {
    withPanel([](MacroPanelController& panel) {
        click(panel, kNew);
        click(panel, kRecord);
        for (std::uint8_t vk : {0x41, 0x42}) {
            panel.onKey(vk, false);
            panel.onKey(vk, true);
        }
        click(panel, kRecord);
        click(panel, kOk);
    });
    const auto macros = test::readBytes(dir / "MacroDefine.bin");
    ASSERT_EQ(macros.size(), kMacroStoreSize);
    EXPECT_EQ(fixedText(image->macroStore.records[0].name), u"Macro_001");
    const std::vector<std::uint8_t> events{0x01, 0x04, 0x81, 0x04, 0x01, 0x05, 0x81, 0x05};
    EXPECT_TRUE(std::equal(events.begin(), events.end(), macros.begin() + offsetof(MacroRecord, deviceEvents)));
    EXPECT_TRUE(dialogs.messages.empty());
    window->controller().save();
    const MouseData device = keyboard->memory();
    const auto slot = macroSlot(device, 0);
    EXPECT_EQ(slot[0], 0);
    EXPECT_EQ(slot[1], 1);  // loop count 1, high byte first
    EXPECT_TRUE(std::equal(events.begin(), events.end(), slot.begin() + 2));
}

TEST_F(MacroManagerWindow, AFileThatCannotBeWrittenIsToldToTheUser) {
    std::filesystem::remove(dir / "MacroDefine.bin");
    std::filesystem::create_directory(dir / "MacroDefine.bin");  // nothing can replace it
    withPanel([](MacroPanelController& panel) {
        click(panel, kNew);
        click(panel, kOk);
    });
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find(u"MacroDefine.bin could not be written"), std::u16string::npos);
}

}  // namespace
}  // namespace orvane
