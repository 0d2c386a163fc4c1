// The rig of every main-window test: the utility's window on the virtual
// keyboard, in a folder of its own, with scripted dialogs and a recording
// shell. Tests run the arrival settle wait at once.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "mainwindow/view/orvanedlg.h"
#include "support/eventually.h"
#include "support/recordingshell.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "virtualkeyboard/transcriptsleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace orvane::test {

class MainWindowRig : public ::testing::Test {
protected:
    TempDir dir;
    std::shared_ptr<VirtualKeyboard> keyboard = std::make_shared<VirtualKeyboard>();
    VirtualHidBackend backend{keyboard};
    TranscriptSleeper sleeper{*keyboard};
    RecordingShell shell;
    ScriptedDialogs dialogs;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<COrvaneDlg> window;

    void start(std::int16_t language = kLanguageEnglish, bool tray = false) {
        window = std::make_unique<COrvaneDlg>(COrvaneDlg::Environment{
            *image, backend, sleeper, shell, dialogs, {dir.path(), dir.path()}, language, tray,
            std::chrono::milliseconds(0)});
        window->OnInitDialog();
    }
    // The start-up read went through: handed over, keymap.bin written.
    bool readAllHandedOver() {
        return eventually([&] { return !window->link().readAllThreadRunning(); }) &&
               eventually([&] { return std::filesystem::exists(dir / "keymap.bin") &&
                                       image->deviceFirmwareVersion[0] == keyboard->firmwareVersion()[0]; });
    }
    // Starts the window and waits for the start-up read.
    void startRead() {
        start();
        ASSERT_TRUE(readAllHandedOver());
    }
    // Runs `inPanel` on the modal panel of type Panel that `open` brings up,
    // then closes it with `close` if it is still shown.
    template <typename Panel>
    void withModal(const std::function<void()>& open, const std::function<void(Panel&)>& inPanel,
                   const std::function<void(Panel&)>& close) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* panel = qobject_cast<Panel*>(QApplication::activeModalWidget());
            ASSERT_NE(panel, nullptr);
            ran = true;
            inPanel(*panel);
            if (panel->isVisible()) close(*panel);  // never left open by a failed step
        });
        open();
        EXPECT_TRUE(ran);
    }
    void TearDown() override { window.reset(); }
};

}  // namespace orvane::test
