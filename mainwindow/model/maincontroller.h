// The main window's pointer input: hit tests, pop-ups that take the next
// release, region actions, key clicks, hover repaint rules and dragging.
// It changes the settings image and the window state and asks the host for
// everything that needs a window or the keyboard.
#pragma once

#include <cstdint>
#include <filesystem>

#include "settings/keyassignment.h"
#include "mainwindow/model/mainwindowhost.h"
#include "mainwindow/model/mainwindowstate.h"
#include "mainwindow/model/unreadablefilenotices.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

class MainWindowController {
public:
    MainWindowController(SettingsImage& image, MainWindowState& state,
                         std::filesystem::path dataFolder, MainWindowHost& host);

    void onLButtonDown();
    void onLButtonUp(int x, int y);
    void onMouseMove(int x, int y, bool leftButtonDown);
    void onFocusLost();
    // SliderMoved: the slider's current position is in state.sliders.
    void onSliderMoved(int id);

    // Region actions callable on their own (the tray and the tests use them).
    void save();
    void cancel();
    void closeWindow();
    void restoreFactorySettings();

    // Brings the settings and the window state into the shape shown (display
    // rules), then recomposes the window. Every repaint goes through here.
    void repaint();

    // Sets the three slider positions from the working copy and pushes them.
    void syncSlidersFromSettings();

    // Tells the user of each settings file found unreadable, once per run.
    void tellUnreadableFiles();

private:
    void actOnRegion(int code);
    void onKeyClick(std::uint8_t position);
    void onHelpWindowRelease(int x, int y);
    void runProfileManager();
    void editKeyAssignment(std::uint8_t position);

    SettingsImage& image_;
    MainWindowState& state_;
    std::filesystem::path dataFolder_;
    MainWindowHost& host_;
    // What the key assignment panel hands over; it keeps its values from one
    // opening of the panel to the next.
    PendingAssignment pending_;
    UnreadableFileNotices notices_;
};

// The texts the main window shows when a Save did not reach the keyboard.
std::u16string_view saveFailureText(SaveOutcome outcome, std::int16_t languageCode);
std::u16string_view saveFailureCaption(std::int16_t languageCode);

}  // namespace orvane
