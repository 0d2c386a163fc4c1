#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <random>

#include "platform/hostshell.h"
#include "app/orvanedlg.h"
#include "controls/bitslider.h"
#include "device/frame.h"
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

std::string lastMessage(const test::ScriptedDialogs& dialogs) {
    return dialogs.messages.empty() ? std::string() : QString::fromStdU16String(dialogs.messages.back()).toStdString();
}

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

    // The settle wait is a timer of the window; tests run it at once.
    void start(std::int16_t language = kLanguageEnglish, bool tray = false) {
        window = std::make_unique<COrvaneDlg>(COrvaneDlg::Environment{
            *image, backend, sleeper, shell, dialogs, {dir.path(), dir.path()}, language, tray,
            std::chrono::milliseconds(0)});
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

// ---- arrival -----------------------------------------------------------------

int framesOf(const std::vector<TranscriptEntry>& transcript, std::uint8_t command) {
    const auto codes = featureCommands(transcript);
    return static_cast<int>(std::count(codes.begin(), codes.end(), command));
}

// Replugging: the arrival comes from the hot-plug monitor, waits to settle on
// a timer, and no wait of the link runs on the window's thread beyond the
// read's own pacing. A second notification meanwhile (the rescan, or another
// node of the same keyboard) does not read it twice.
TEST_F(MainWindowTest, ArrivalSettlesOnATimerAndReadsTheKeyboardOnce) {
    start();
    ASSERT_TRUE(readAllHandedOver());
    keyboard->unplug();
    ASSERT_TRUE(spinUntil([&] { return !window->link().commandOpen() && !window->link().eventOpen(); }));
    sleeper.clear();
    keyboard->clearTranscript();
    MouseData memory = keyboard->memory();
    memory.ledEffect.LEDEffectBrightness = 17;
    keyboard->setMemory(memory);

    keyboard->plug();
    window->onDeviceArrival();
    ASSERT_TRUE(spinUntil([&] { return window->link().commandOpen() && window->link().eventOpen(); }));
    QCoreApplication::processEvents();
    const std::vector<int> waits = sleeper.waits();
    EXPECT_TRUE(std::none_of(waits.begin(), waits.end(), [](int w) { return w >= 1000; }))
        << "a settle wait slept on the window's thread";
    EXPECT_EQ(framesOf(keyboard->transcript(), kGetFirmwareVersion), 1) << "read more than once";
    EXPECT_EQ(image->working.mouseData.ledEffect.LEDEffectBrightness, 17);
    EXPECT_EQ(test::readBytes(dir / "keymap.bin").size(), 206920u);
}

// ---- a keyboard that is listed but cannot be opened -------------------------

TEST_F(MainWindowTest, AKeyboardThatCannotBeOpenedIsExplainedOnceInTheUsersLanguage) {
    struct Case {
        std::int16_t language;
        std::vector<std::string> says;
    };
    const Case cases[] = {
        {kLanguageEnglish, {"could not be opened", "udev rule", "README", "plug it in again"}},
        {kLanguageChinese, {"无法打开", "udev 规则", "README", "重新插入"}},
    };
    for (const Case& c : cases) {
        keyboard->setOpenRefused(true);
        dialogs.messages.clear();
        start(c.language);
        EXPECT_FALSE(window->link().commandOpen());
        EXPECT_TRUE(window->isVisible());  // no tray here: the window stays reachable
        EXPECT_EQ(dialogs.messages.size(), 1);
        for (const std::string& words : c.says) {
            EXPECT_NE(lastMessage(dialogs).find(words), std::string::npos) << lastMessage(dialogs);
        }
        EXPECT_EQ(lastMessage(dialogs).find("No Gaming Keyboard"), std::string::npos);

        // Each rescan tries again, without a blocking wait and without telling again.
        sleeper.clear();
        for (int rescan = 1; rescan <= 3; ++rescan) {
            const std::size_t tried = backend.openedNodes().size();
            window->onDeviceArrival();
            ASSERT_TRUE(spinUntil([&] { return backend.openedNodes().size() > tried; }));
            QCoreApplication::processEvents();
        }
        EXPECT_TRUE(sleeper.waits().empty());
        EXPECT_EQ(dialogs.messages.size(), 1);

        // Asked for through the tray: the same advice, not "no keyboard".
        window->handleMessage(0x405, 0, 0x203);
        EXPECT_EQ(dialogs.messages.size(), 2);
        EXPECT_NE(lastMessage(dialogs).find(c.says.front()), std::string::npos) << lastMessage(dialogs);
        window.reset();
        keyboard->setOpenRefused(false);
    }
}

TEST_F(MainWindowTest, OnceTheKeyboardCanBeOpenedItIsReadAndNoLongerExplained) {
    keyboard->setOpenRefused(true);
    start();
    ASSERT_EQ(dialogs.messages.size(), 1);
    keyboard->setOpenRefused(false);  // the rule installed, the keyboard replugged
    keyboard->unplug();
    keyboard->plug();
    ASSERT_TRUE(spinUntil([&] { return window->link().commandOpen() && window->link().eventOpen(); }));
    ASSERT_TRUE(spinUntil([&] { return std::filesystem::exists(dir / "keymap.bin") &&
                                       image->deviceFirmwareVersion[0] == keyboard->firmwareVersion()[0]; }));
    EXPECT_EQ(dialogs.messages.size(), 1);
    // Unplugged now: the tray tells of no keyboard again.
    keyboard->unplug();
    ASSERT_TRUE(spinUntil([&] { return !window->link().commandOpen(); }));
    window->handleMessage(0x405, 0, 0x203);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(lastMessage(dialogs), "No Gaming Keyboard Detected!");
}

// ---- sliders after the window was hidden -------------------------------------

CBitSlider* sliderOf(COrvaneDlg& window, int id) {
    for (CBitSlider* s : window.findChildren<CBitSlider*>()) {
        if (s->reportId() == id) return s;
    }
    return nullptr;
}

// Cancel hides the window to the tray; the window is brought back from the
// tray or by a second start. The sliders must show as last composed and
// take clicks at once.
TEST_F(MainWindowTest, RestoredWindowShowsTheSlidersOfItsLastComposition) {
    const std::vector<std::pair<const char*, std::function<void(COrvaneDlg&)>>> restores = {
        {"tray double click", [](COrvaneDlg& w) { w.handleMessage(0x405, 0, 0x203); }},
        {"second start", [](COrvaneDlg& w) { w.showFromOtherInstance(); }},
    };
    start(kLanguageEnglish, true);
    ASSERT_TRUE(readAllHandedOver());
    ASSERT_TRUE(window->isVisible());
    QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 118));  // Light header
    CBitSlider* brightness = sliderOf(*window, 1017);
    ASSERT_NE(brightness, nullptr);
    ASSERT_TRUE(brightness->isVisible());
    for (const auto& [how, restore] : restores) {
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(890, 620));  // Cancel
        ASSERT_FALSE(window->isVisible()) << how;
        QCoreApplication::processEvents();
        restore(*window);
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->isVisible()) << how;
        for (const SliderFace& face : window->state().sliders) {
            EXPECT_EQ(sliderOf(*window, face.id)->isVisible(), face.visible) << how << " " << face.id;
        }
        EXPECT_TRUE(brightness->isVisible()) << how;
        QTest::mouseClick(brightness, Qt::LeftButton, Qt::NoModifier, QPoint(60, 8));
        EXPECT_EQ(brightness->value(), brightness->positionForClick(60)) << how;
    }
}

// The brightness slider inside the window: a click focuses it, and each arrow
// key is one step of the setting.
TEST_F(MainWindowTest, FocusedSliderStepsTheSettingByOneWithTheKeys) {
    start();
    ASSERT_TRUE(readAllHandedOver());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 118));  // Light header
    CBitSlider* brightness = sliderOf(*window, 1017);
    ASSERT_TRUE(brightness != nullptr && brightness->isVisible());
    QTest::mouseClick(brightness, Qt::LeftButton, Qt::NoModifier, QPoint(110, 8));
    ASSERT_EQ(QApplication::focusWidget(), brightness);
    const int clicked = brightness->positionForClick(110);
    QTest::keyClick(brightness, Qt::Key_Right);
    QTest::keyClick(brightness, Qt::Key_PageUp);
    QTest::keyClick(brightness, Qt::Key_Left);
    ASSERT_TRUE(spinUntil([&] { return image->working.mouseData.ledEffect.LEDEffectBrightness == clicked + 1; }));
    EXPECT_EQ(brightness->value(), clicked + 1);
}

}  // namespace
}  // namespace orvane
