#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <random>

#include "platform/desktop/hostshell.h"
#include "mainwindow/view/orvanedlg.h"
#include "controls/bitslider.h"
#include "device/frame.h"
#include "keyboardstate/keytables.h"
#include "support/readfault.h"
#include "support/mainwindowrig.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "virtualkeyboard/transcriptsleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include "keyassign/view/keymap.h"
#include "mainwindow/model/keypicturetable.h"
#include <cstring>
#include "macros/view/macrorecorddlg.h"

namespace orvane {
namespace {

std::string lastMessage(const test::ScriptedDialogs& dialogs) {
    return dialogs.messages.empty() ? std::string() : QString::fromStdU16String(dialogs.messages.back()).toStdString();
}

// The utility's window on the virtual keyboard, in a folder of its own.
using MainWindowTest = test::MainWindowRig;

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
    ASSERT_TRUE(test::eventually([&] { return !shell.opened.empty(); }));
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
    window->onTrayActivated(QSystemTrayIcon::DoubleClick);  // the balloon again
    EXPECT_EQ(dialogs.messages.size(), 2);
    window->onTrayActivated(QSystemTrayIcon::Context);      // the menu's click: nothing
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
    ASSERT_TRUE(test::eventually([&] { return !window->link().commandOpen() && !window->link().eventOpen(); }));
    sleeper.clear();
    keyboard->clearTranscript();
    MouseData memory = keyboard->memory();
    memory.ledEffect.LEDEffectBrightness = 17;
    keyboard->setMemory(memory);

    keyboard->plug();
    window->onDeviceArrival();
    ASSERT_TRUE(test::eventually([&] { return window->link().commandOpen() && window->link().eventOpen(); }));
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
            ASSERT_TRUE(test::eventually([&] { return backend.openedNodes().size() > tried; }));
            QCoreApplication::processEvents();
        }
        EXPECT_TRUE(sleeper.waits().empty());
        EXPECT_EQ(dialogs.messages.size(), 1);

        // Asked for through the tray: the same advice, not "no keyboard".
        window->onTrayActivated(QSystemTrayIcon::DoubleClick);
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
    ASSERT_TRUE(test::eventually([&] { return window->link().commandOpen() && window->link().eventOpen(); }));
    ASSERT_TRUE(test::eventually([&] { return std::filesystem::exists(dir / "keymap.bin") &&
                                       image->deviceFirmwareVersion[0] == keyboard->firmwareVersion()[0]; }));
    EXPECT_EQ(dialogs.messages.size(), 1);
    // Unplugged now: the tray tells of no keyboard again.
    keyboard->unplug();
    ASSERT_TRUE(test::eventually([&] { return !window->link().commandOpen(); }));
    window->onTrayActivated(QSystemTrayIcon::DoubleClick);
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
        {"tray double click", [](COrvaneDlg& w) { w.onTrayActivated(QSystemTrayIcon::DoubleClick); }},
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
    ASSERT_TRUE(test::eventually([&] { return image->working.mouseData.ledEffect.LEDEffectBrightness == clicked + 1; }));
    EXPECT_EQ(brightness->value(), clicked + 1);
}

// The window started from files of random bytes, before any keyboard was
// read: it shows them without a fault and leaves the files as they are.
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
        test::RecordingShell shell;
        shell.succeeds = false;
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

constexpr std::uint8_t kQ = 42;

// A click on a key of the picture, with what the person does in the panel
// while it runs modally.
class KeyClickTest : public test::MainWindowRig {
protected:
    void SetUp() override {
        startRead();
        QCoreApplication::processEvents();
    }

    void clickKey(std::uint8_t position, std::function<void(CKeyMap&)> inPanel) {
        const KeyPicture& k = KeyPictureTable[position];
        const QPoint at(kKeyboardPictureX + (k.left + k.right) / 2, kKeyboardPictureY + (k.top + k.bottom) / 2);
        // The release on the key, as the window hands it to its dispatch.
        withModal<CKeyMap>([&] {
            window->controller().onLButtonDown();
            window->controller().onLButtonUp(at.x(), at.y());
        }, inPanel, [](CKeyMap& panel) { panel.done(QDialog::Rejected); });
    }
    static void type(int qtKey, quint32 scanCode, quint32 keysym) {
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                                 : QApplication::activeModalWidget();
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, scanCode, keysym, 0);
        QApplication::sendEvent(target, &press);
        QCoreApplication::processEvents();
    }
    static void click(CKeyMap& panel, int x, int y) { QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(x, y)); }
    KeyAssignment& record() { return image->working.keyAssignments.records[kQ]; }
    std::array<std::uint8_t, 4> entry(const MouseData& data) const {
        const auto e = deviceKeyEntry(data, KeyPositionEntryMap[kQ]);
        return {e[0], e[1], e[2], e[3]};
    }
};

TEST_F(KeyClickTest, LeftCtrlThenCOnQReachesTheKeyboardOnSave) {
    clickKey(kQ, [](CKeyMap& panel) {
        EXPECT_EQ(panel.panel().currentKeyLabel(), u"Q ");
        // Clicking into the combination box (its click is tested with the panel alone).
        panel.panel().onBoxFocused(CaptureBox::Combine);
        type(Qt::Key_Control, 37, 0xffe3);
        type(Qt::Key_C, 54, 'c');
        EXPECT_EQ(panel.combineBox()->text(), QStringLiteral("LCtrl + C "));
        click(panel, 280, 256);  // Save
    });
    EXPECT_EQ(window->state().SelectedKeyPosition, kQ);  // drawn highlighted
    EXPECT_EQ(image->modifiedKeyFlags[kQ], 1);
    EXPECT_EQ(record().mapType, TYPE_COMBINE);
    EXPECT_EQ(record().keyCount, 2);
    EXPECT_EQ(entry(image->working.mouseData), (std::array<std::uint8_t, 4>{0, 0xE0, 0x06, 0}));
    const auto file = test::readBytes(dir / "keymap.bin");
    const std::size_t at = kMouseDataSize + kQ * kKeyAssignmentSize;
    EXPECT_EQ(file.at(at + 1), TYPE_COMBINE);
    EXPECT_EQ(file.at(at + 2), 0xA2);
    EXPECT_EQ(file.at(at + 3), 0x43);
    window->controller().save();
    EXPECT_EQ(entry(keyboard->memory()), (std::array<std::uint8_t, 4>{0, 0xE0, 0x06, 0}));
}

TEST_F(KeyClickTest, ATabSwitchThenCancelLeavesTheKeyAsItWas) {
    const std::uint8_t typeBefore = record().mapType;
    clickKey(kQ, [](CKeyMap& panel) {
        click(panel, 280, 44);   // Advance: only the panel's copy changes
        click(panel, 225, 256);  // Cancel
    });
    EXPECT_EQ(record().mapType, typeBefore);
    EXPECT_EQ(entry(image->working.mouseData), (std::array<std::uint8_t, 4>{0, 0, 0x14, 0}));
    clickKey(kQ, [this, typeBefore](CKeyMap& panel) {
        EXPECT_EQ(record().mapType, typeBefore);
        EXPECT_EQ(panel.panel().page(), kPageSingle);
        click(panel, 280, 44);
        click(panel, 310, 10);  // close button
    });
    EXPECT_EQ(record().mapType, typeBefore);
    EXPECT_EQ(image->modifiedKeyFlags[kQ], 0);
}

TEST_F(KeyClickTest, DisableThenDefaultOnA) {
    const std::uint8_t a = 63;
    clickKey(a, [](CKeyMap& panel) {
        click(panel, 24, 255);   // Disable
        click(panel, 280, 256);  // Save with both boxes empty
    });
    const std::size_t slot = deviceSlotOfPosition(a);
    EXPECT_FALSE(isKeyEnabled(image->working.mouseData, slot));
    EXPECT_EQ(image->modifiedKeyFlags[a], 1);
    clickKey(a, [](CKeyMap& panel) {
        EXPECT_EQ(panel.panel().regions()[kKeyMapDisable].BmpIndex, 1);
        click(panel, 170, 256);  // Default enables whatever the box shows
    });
    EXPECT_TRUE(isKeyEnabled(image->working.mouseData, slot));
}

// Points of the panel's regions and of the main window's macro button.
constexpr QPoint kMacroButton(100, 158);
constexpr QPoint kRecord(300, 110), kNew(40, 380), kOk(300, 410), kCancel(360, 410);

// The utility on the virtual keyboard; the macro manager is driven while it is open.
class MacroManagerWindow : public test::MainWindowRig {
protected:
    void SetUp() override { startRead(); }

    // Opens the macro manager from its button and runs `steps` on it while it is open.
    void withPanel(std::function<void(MacroPanelController&)> steps) {
        withModal<CMacroRecordDlg>(
            [&] { window->controller().onLButtonUp(kMacroButton.x(), kMacroButton.y()); },
            [&](CMacroRecordDlg& panel) { steps(panel.controller()); },
            [](CMacroRecordDlg& panel) { panel.controller().onLButtonUp(kCancel.x(), kCancel.y()); });
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
