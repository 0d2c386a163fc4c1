// The main window: a frameless, skinned window that shows the composed
// picture, routes pointer input to the dispatch logic, owns the keyboard link
// and the tray icon, and answers the private messages.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "device/keyboardlink.h"
#include "device/linklistener.h"
#include "mainwindow/model/maincontroller.h"
#include "mainwindow/model/mainwindowhost.h"
#include "mainwindow/model/mainwindowstate.h"
#include "drawing/skinimages.h"
#include "settings/datafolders.h"
#include "keyboardstate/settingsimage.h"

class QMenu;
class QSystemTrayIcon;

namespace orvane {

class CBitSlider;
class CKeyMap;
class HidBackend;
class Dialogs;
class HostShell;
class HotplugWatcher;
class Sleeper;

class COrvaneDlg : public QWidget, public MainWindowHost, public LinkListener {
    Q_OBJECT
public:
    // How long a keyboard that has just arrived is left to settle before it is opened.
    static constexpr std::chrono::milliseconds kArrivalSettle{2000};

    struct Environment {
        SettingsImage& image;
        HidBackend& backend;
        Sleeper& sleeper;
        HostShell& shell;
        Dialogs& dialogs;
        DataFolders folders;  // resources (skin, VER.bin, updater) and state (the files it writes)
        std::int16_t languageCode;
        bool trayAvailable;
        std::chrono::milliseconds arrivalSettle = kArrivalSettle;
    };

    explicit COrvaneDlg(Environment env, QWidget* parent = nullptr);
    ~COrvaneDlg() override;

    // Start-up: files, link, threads, tray icon. Shows the window when the keyboard is there.
    void OnInitDialog();

    // The message table of the window's private messages.
    long handleMessage(int message, std::uintptr_t wParam, std::intptr_t lParam);

    // A second start asked this instance to show itself.
    void showFromOtherInstance();

    const QImage& canvas() const { return canvas_; }
    MainWindowState& state() { return state_; }
    MainWindowController& controller() { return controller_; }
    KeyboardLink& link() { return link_; }

    // MainWindowHost
    void paintAll() override;
    void drawSliderFace(SliderKind kind) override;
    void applySliderPositions() override;
    void hideWindow() override;
    void closeMainDialog() override;
    void setWaitCursor(bool waiting) override;
    void startWindowDrag() override;
    std::optional<Rgb> chooseColor() override;
    bool confirm(std::u16string_view text, std::u16string_view caption) override;
    void showMessage(std::u16string_view text, std::u16string_view caption) override;
    SaveOutcome writeAll() override;
    void factoryResetKeyboard() override;
    void runMacroManager() override;
    void runProfileManager() override;
    bool runKeyAssignment(std::uint8_t position, PendingAssignment& pending) override;
    void openWebAddress() override;
    void startUpdater() override;
    void sendRefresh(int lParam) override;

    // LinkListener (postKeyEvent, postReadAllFinished, postDeviceLost come from other threads)
    void postKeyEvent(std::uint8_t code) override;
    void postReadAllFinished() override;
    void postDeviceLost() override;

    // Device change handling: the hot-plug monitor and the rescan call these.
    void onDeviceArrival();
    void onDeviceRemoval();

signals:
    void dialogEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpSliders();
    void setUpTray();
    void setUpHotplug();
    bool rescanFindsKeyboard();
    void onTrayCallback(int mouseMessage);
    void showBalloon();
    void noteKeyboardAccess(bool cannotOpen, bool commandOpened);
    void showCannotOpenNotice();
    void onRefresh(int lParam);
    void onHostKeyEvent(std::uint8_t code);
    void checkFirmware();
    void applySliderVisibility();

    Environment env_;
    SettingsImage& image_;
    MainWindowState state_;
    SkinImages skin_;
    KeyboardLink link_;
    MainWindowController controller_;
    QImage canvas_;

    std::array<CBitSlider*, 3> sliders_{};
    // The key assignment panel, made at its first use and kept, as its
    // filter memory and keep-once flag live from one opening to the next.
    std::unique_ptr<CKeyMap> keyMap_;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    std::unique_ptr<HotplugWatcher> hotplug_;
    bool arrivalPending_ = false;
    // The keyboard is listed but refused the last open; the user was told.
    bool keyboardRefused_ = false;
    bool refusalTold_ = false;
    bool ended_ = false;
    // Paths whose host action failed and was told in this run.
    std::set<std::string> toldHostActionFailures_;

    // Dragging by hand where the platform offers no system move.
    bool manualDrag_ = false;
    QPoint dragOffset_;
};

}  // namespace orvane
