// The keyboard as the main window lives with it: the start-up read, hot-plug
// arrivals after their settle wait, removals and a lost keyboard, the notice
// for a keyboard that is there but cannot be opened, the refresh after each
// read with its firmware offer, Save and factory reset, and the host-side
// actions of keys. No windows: what must be shown goes to its host.
#pragma once

#include <chrono>
#include <cstdint>
#include <set>
#include <string>

#include "device/keyboardlink.h"
#include "keyboardstate/settingsimage.h"
#include "mainwindow/model/accessnotice.h"
#include "mainwindow/model/mainwindowhost.h"
#include "settings/datafolders.h"

namespace orvane {

class Dialogs;
class HostShell;
class MainWindowController;

class KeyboardSessionHost {
public:
    virtual ~KeyboardSessionHost() = default;
    // Calls KeyboardSession::settled after `wait` without holding up the
    // event loop, so the window keeps answering meanwhile.
    virtual void startSettleTimer(std::chrono::milliseconds wait) = 0;
    // Not modal: start-up and arrivals go on behind it.
    virtual void showAccessNotice(const AccessNotice& notice) = 0;
    // "No Gaming Keyboard Detected!": in the tray, or as a notice without one.
    virtual void showNoKeyboard() = 0;
    virtual void bringWindowToFront() = 0;
    virtual void startUpdater() = 0;
    // For the log: what went wrong where nobody is asked.
    virtual void logWarning(const std::string& text) = 0;
};

class KeyboardSession {
public:
    // How long a keyboard that has just arrived is left to settle before it is opened.
    static constexpr std::chrono::milliseconds kArrivalSettle{2000};

    struct Environment {
        SettingsImage& image;
        KeyboardLink& link;
        MainWindowController& controller;
        Dialogs& dialogs;
        HostShell& shell;
        const DataFolders& folders;
        KeyboardSessionHost& host;
        std::chrono::milliseconds arrivalSettle = kArrivalSettle;
    };

    explicit KeyboardSession(Environment env);

    // The files, then the link: the start-up read runs on its own thread.
    KeyboardLink::StartResult start();
    // After start: the notice when the keyboard refused to be opened.
    void started(const KeyboardLink::StartResult& result);

    // Hot-plug: an arrival waits for its settle time (once, however many
    // arrivals come meanwhile); a removal or a lost keyboard closes the link.
    void deviceArrived();
    void settled();
    void deviceRemoved();
    // The slow rescan: true when an arrival would find the keyboard now.
    bool rescanFindsKeyboard();

    // A double click on the tray icon: the window when the keyboard is
    // there, else what keeps it away (the access notice or the balloon).
    void trayActivated();

    // After every read of the keyboard or a loaded profile (kRefresh...).
    void refresh(int kind);
    // A key whose assignment is a host-side action was pressed.
    void hostKeyPressed(std::uint8_t code);

    SaveOutcome writeAll();
    void factoryReset();

    bool arrivalPending() const { return arrivalPending_; }

private:
    void noteKeyboardAccess(bool cannotOpen, bool commandOpened);
    void checkFirmware();

    Environment env_;
    bool arrivalPending_ = false;
    // The keyboard is listed but refused the last open; the user was told.
    bool keyboardRefused_ = false;
    bool refusalTold_ = false;
    // Paths whose host action failed and was told in this run.
    std::set<std::string> toldHostActionFailures_;
};

}  // namespace orvane
