// The main window: a frameless, skinned window that shows the composed
// picture and routes pointer input to the dispatch logic. The keyboard
// session, the tray icon and the panel launcher do the rest; the window wires
// them together.
#pragma once

#include <QSystemTrayIcon>
#include <QWidget>
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>

#include "controls/skinnedwindow.h"
#include "device/keyboardlink.h"
#include "device/linklistener.h"
#include "drawing/skinimages.h"
#include "keyboardstate/settingsimage.h"
#include "mainwindow/model/keyboardsession.h"
#include "mainwindow/model/maincontroller.h"
#include "mainwindow/model/mainwindowhost.h"
#include "mainwindow/model/mainwindowstate.h"
#include "mainwindow/view/panellauncher.h"
#include "platform/desktop/dialogs.h"
#include "settings/datafolders.h"

namespace orvane {

class CBitSlider;
class HidBackend;
class Dialogs;
class HostShell;
class HotplugWatcher;
class MainTray;
class Sleeper;

class COrvaneDlg : public SkinnedWindow<QWidget>,
                   public MainWindowHost,
                   public LinkListener,
                   private KeyboardSessionHost {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kArrivalSettle = KeyboardSession::kArrivalSettle;

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

    // A second start asked this instance to show itself.
    void showFromOtherInstance();

    MainWindowState& state() { return state_; }
    MainWindowController& controller() { return controller_; }
    KeyboardLink& link() { return link_; }
    KeyboardSession& session() { return session_; }

    // MainWindowHost
    void paintAll() override;
    void drawSliderFace(SliderKind kind) override;
    void applySliderPositions() override;
    void hideWindow() override;
    void closeMainDialog() override;
    void setWaitCursor(bool waiting) override;
    void startWindowDrag() override;
    std::optional<Rgb> chooseColor() override { return env_.dialogs.chooseColor(); }
    bool confirm(std::u16string_view text, std::u16string_view caption) override {
        return env_.dialogs.confirm(text, caption);
    }
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        env_.dialogs.showMessage(text, caption);
    }
    SaveOutcome writeAll() override { return session_.writeAll(); }
    void factoryResetKeyboard() override { session_.factoryReset(); }
    void runMacroManager() override { panels_.runMacroManager(); }
    void runProfileManager() override { panels_.runProfileManager(); }
    bool runKeyAssignment(std::uint8_t position, PendingAssignment& pending) override {
        return panels_.runKeyAssignment(position, pending);
    }
    void openWebAddress() override { panels_.openWebAddress(); }
    void startUpdater() override { panels_.startUpdater(); }
    void sendRefresh(int kind) override { session_.refresh(kind); }

    // LinkListener (postKeyEvent, postReadAllFinished, postDeviceLost come from other threads)
    void postKeyEvent(std::uint8_t code) override;
    void postReadAllFinished() override;
    void postDeviceLost() override;

public slots:
    // The tray icon was clicked: a double click (or a click where the tray
    // knows no double click) asks for the window.
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    // Hot-plug: the monitor and the rescan call these.
    void onDeviceArrival();
    void onDeviceRemoval();

signals:
    void dialogEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // KeyboardSessionHost
    void startSettleTimer(std::chrono::milliseconds wait) override;
    void showAccessNotice(const AccessNotice& notice) override;
    void showNoKeyboard() override;
    void bringWindowToFront() override;
    void logWarning(const std::string& text) override;

    void setUpSliders();
    void setUpHotplug();
    void applySliderVisibility();

    Environment env_;
    SettingsImage& image_;
    MainWindowState state_;
    SkinImages skin_;
    KeyboardLink link_;
    MainWindowController controller_;
    KeyboardSession session_;
    PanelLauncher panels_;

    std::array<CBitSlider*, 3> sliders_{};
    MainTray* tray_ = nullptr;
    std::unique_ptr<HotplugWatcher> hotplug_;
    bool ended_ = false;
};

}  // namespace orvane
