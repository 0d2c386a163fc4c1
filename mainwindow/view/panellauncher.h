// What the main window opens: the three panels (modal, over the window), the
// help web address and the firmware updater.
#pragma once

#include <cstdint>
#include <memory>

#include "settings/datafolders.h"

class QWidget;

namespace orvane {

class CKeyMap;
class Dialogs;
class HostShell;
class MainWindowController;
struct MainWindowState;
struct PendingAssignment;
struct SettingsImage;

class PanelLauncher {
public:
    struct Environment {
        SettingsImage& image;
        MainWindowState& state;
        MainWindowController& controller;
        Dialogs& dialogs;
        HostShell& shell;
        const DataFolders& folders;
    };

    PanelLauncher(Environment env, QWidget& mainWindow);
    ~PanelLauncher();

    // The macro manager; an OK confirms its result (store, slots, both files).
    void runMacroManager();
    // The profile manager; when it closes the controller refreshes the window.
    void runProfileManager();
    // True when the key assignment panel ended with OK; its choice is in `pending`.
    bool runKeyAssignment(std::uint8_t position, PendingAssignment& pending);
    void openWebAddress();
    void startUpdater();

private:
    Environment env_;
    QWidget& mainWindow_;
    // The key assignment panel, made at its first use and kept, as its
    // filter memory and keep-once flag live from one opening to the next.
    std::unique_ptr<CKeyMap> keyMap_;
};

}  // namespace orvane
