#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cerrno>
#include <memory>
#include <random>

#include "platform/hostshell.h"
#include "app/orvanedlg.h"
#include "keymap/keytables.h"
#include "support/readfault.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "virtualkeyboard/transcriptsleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace orvane {
namespace {

struct RecordingShell : HostShell {
    std::vector<std::string> opened;
    bool startDetached(const std::string& program, const std::string&) override {
        opened.push_back(program);
        return true;
    }
    bool openWithDesktop(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    bool isExecutableFile(const std::string&) override { return false; }
};

template <typename Pred>
bool spinUntil(Pred pred) {
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return pred();
}

// The utility's window on the virtual keyboard, in a folder of its own.
class MainWindowTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::shared_ptr<VirtualKeyboard> keyboard = std::make_shared<VirtualKeyboard>();
    VirtualHidBackend backend{keyboard};
    TranscriptSleeper sleeper{*keyboard};
    RecordingShell shell;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<COrvaneDlg> window;

    void start() {
        window = std::make_unique<COrvaneDlg>(COrvaneDlg::Environment{
            *image, backend, sleeper, shell, dialogs, {dir.path(), dir.path()}, kLanguageEnglish, false});
        window->OnInitDialog();
    }
    bool readAllHandedOver() {
        return spinUntil([&] { return !window->link().readAllThreadRunning(); }) &&
               spinUntil([&] { return std::filesystem::exists(dir / "keymap.bin") &&
                                      image->deviceFirmwareVersion[0] == keyboard->firmwareVersion()[0]; });
    }
    void TearDown() override { window.reset(); }
};

std::vector<std::uint8_t> featureCommands(const std::vector<TranscriptEntry>& transcript) {
    std::vector<std::uint8_t> codes;
    for (const auto& e : transcript) {
        if (e.kind == TranscriptEntry::Kind::FeatureOut && e.bytes.size() > 2) codes.push_back(e.bytes[1]);
    }
    return codes;
}

TEST_F(MainWindowTest, StartReadsTheKeyboardShowsTheWindowAndMirrorsKeymap) {
    keyboard->setFirmwareVersion(3, 4);
    start();
    ASSERT_TRUE(readAllHandedOver());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->canvas().size(), QSize(1000, 645));
    EXPECT_EQ(image->saved.mouseData.ledEffect.LEDEffectMode,
              keyboard->memory().ledEffect.LEDEffectMode);
    EXPECT_EQ(test::readBytes(dir / "keymap.bin").size(), 206920u);
    EXPECT_EQ(test::readBytes(dir / "MacroDefine.bin").size(), 169860u);
}

TEST_F(MainWindowTest, SaveAfterChangingOnlyTheSpeedSendsBothLightingPhases) {
    start();
    ASSERT_TRUE(readAllHandedOver());
    keyboard->clearTranscript();
    image->working.mouseData.ledEffect.LEDEffectSpeed =
        static_cast<std::uint8_t>((image->working.mouseData.ledEffect.LEDEffectSpeed + 1) % 10);
    window->controller().save();
    EXPECT_EQ(featureCommands(keyboard->transcript()), (std::vector<std::uint8_t>{0x08, 0x08}));
    EXPECT_EQ(image->saved.mouseData.ledEffect.LEDEffectSpeed,
              image->working.mouseData.ledEffect.LEDEffectSpeed);
    keyboard->clearTranscript();
    window->controller().save();  // nothing changed: nothing sent
    EXPECT_TRUE(featureCommands(keyboard->transcript()).empty());
}

TEST_F(MainWindowTest, SaveWithoutAcknowledgementTellsTheUserAndKeepsTheSavedCopy) {
    start();
    ASSERT_TRUE(readAllHandedOver());
    keyboard->setAcknowledging(false);
    image->working.mouseData.GameMode = image->saved.mouseData.GameMode ? 0 : 1;
    window->controller().save();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_NE(image->saved.mouseData.GameMode, image->working.mouseData.GameMode);
}

TEST_F(MainWindowTest, HostActionKeyOpensItsPathAndOtherKeysDoNothing) {
    MouseData memory = keyboard->memory();
    const std::size_t slot = deviceSlotOfPosition(0);  // Esc
    memory.DeviceKeyTable[4 * slot] = KIND_HOST;
    memory.DeviceKeyTable[4 * slot + 2] = 0x1B;
    keyboard->setMemory(memory);
    start();
    ASSERT_TRUE(readAllHandedOver());
    KeyAssignment& esc = image->working.keyAssignments.records[0];
    esc.keyCode = 0x1B;
    esc.mapType = TYPE_OPEN_FOLDER;
    ASSERT_TRUE(setFixedText(esc.actionPath, u"/home/user/Music/Playlist"));
    EXPECT_FALSE(keyboard->pressKey(deviceSlotOfPosition(42)));  // Q sends nothing
    ASSERT_TRUE(keyboard->pressKey(slot));
    ASSERT_TRUE(spinUntil([&] { return !shell.opened.empty(); }));
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"/home/user/Music/Playlist"}));
}

TEST_F(MainWindowTest, FactoryResetIsReadBackFromTheKeyboard) {
    MouseData memory = keyboard->memory();
    memory.ReportRate = 3;
    memory.KeyEnableMask[0] = 0;
    keyboard->setMemory(memory);
    start();
    ASSERT_TRUE(readAllHandedOver());
    EXPECT_EQ(image->working.mouseData.ReportRate, 3);
    window->controller().restoreFactorySettings();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(image->working.mouseData.ReportRate, VirtualKeyboard::factoryMemory().ReportRate);
    EXPECT_EQ(image->saved.mouseData.KeyEnableMask[0], 0xFF);
    EXPECT_EQ(test::readBytes(dir / "keymap.bin").at(7477), 0xFF);
}

// keymap.bin exists but cannot be read (say root's 0600 file after one run
// with sudo): the user is told once and no writer replaces it in this run.
TEST_F(MainWindowTest, UnreadableKeymapIsToldOnceAndNeverOverwritten) {
    std::vector<unsigned char> original(206920);
    std::mt19937 gen(7);
    for (auto& b : original) b = static_cast<unsigned char>(gen());
    test::writeBytes(dir / "keymap.bin", original);
    test::ScopedReadFault fault("keymap.bin", test::ScopedReadFault::At::Open, EACCES);
    start();
    ASSERT_TRUE(readAllHandedOver());  // the refresh after the read writes keymap.bin
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(image->working.keyAssignments.records[42].keyCode, 0x51);

    image->working.mouseData.GameMode = image->saved.mouseData.GameMode ? 0 : 1;
    window->controller().save();
    window->controller().cancel();
    window->controller().restoreFactorySettings();
    window->controller().closeWindow();
    EXPECT_EQ(test::readBytes(dir / "keymap.bin"), original);
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(test::readBytes(dir / "MacroDefine.bin").size(), 169860u);  // the other file is fine
}

TEST_F(MainWindowTest, WithoutKeyboardOrTrayTheWindowStaysReachable) {
    keyboard->unplug();
    start();
    EXPECT_FALSE(window->link().commandOpen());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.messages.size(), 1);  // "No Gaming Keyboard Detected!"
    window->handleMessage(0x405, 0, 0x203);          // double click: the balloon again
    EXPECT_EQ(dialogs.messages.size(), 2);
    window->handleMessage(0x406, 14, 0);             // other wParam: nothing
    EXPECT_EQ(dialogs.messages.size(), 2);
}

}  // namespace
}  // namespace orvane
