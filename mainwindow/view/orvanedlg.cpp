#include "mainwindow/view/orvanedlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include "mainwindow/model/accessnotice.h"
#include "mainwindow/model/firmwarecheck.h"
#include "mainwindow/model/hostaction.h"
#include "mainwindow/model/messages.h"
#include "profiles/view/configuredlg.h"
#include "controls/bitslider.h"
#include "device/refreshsteps.h"
#include "keyboardstate/keylabels.h"
#include "keyassign/view/keymap.h"
#include "macros/model/macropanelconfirm.h"
#include "macros/view/macrorecorddlg.h"
#include "mainwindow/view/paintall.h"
#include "drawing/resourceimages.h"
#include "drawing/skincanvas.h"
#include "mainwindow/view/sliderface.h"
#include "platform/desktop/dialogs.h"
#include "platform/hid/hidbackend.h"
#include "platform/desktop/hotplugwatcher.h"
#include "settings/settingsfiles.h"

Q_LOGGING_CATEGORY(lcMainWindow, "orvane.mainwindow", QtWarningMsg)

namespace orvane {
namespace {

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Shown in the help window and opened by its first row.
const QString kHelpWebAddress = QStringLiteral("https://www.orvane.example/");

QString qsUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

COrvaneDlg::COrvaneDlg(Environment env, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      env_(std::move(env)),
      image_(env_.image),
      skin_(SkinImages::skinFolder(QString::fromStdString(env_.folders.resources.string()) + u'/', env_.languageCode)),
      link_(env_.backend, env_.sleeper, *this),
      controller_(image_, state_, env_.folders.state, *this) {
    setWindowTitle(qs(kWindowTitle));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setWindowIcon(QIcon(QPixmap::fromImage(resourceImage(kIconApplication))));
}

COrvaneDlg::~COrvaneDlg() {
    // Icon first, then notifications, then the link: the reader is stopped and
    // joined before its interface is closed.
    if (tray_ != nullptr) tray_->hide();
    hotplug_.reset();
    link_.shutdown();
}

void COrvaneDlg::OnInitDialog() {
    image_.languageCode = env_.languageCode;
    state_ = MainWindowState{};
    state_.DiyColorMode = false;
    const QSize size = skin_.image(u"main.png").size();
    resize(size.isValid() && !size.isEmpty() ? size : QSize(1000, 645));
    setUpHotplug();
    setUpSliders();
    keyLabels();  // built once, before any panel can open
    loadStartupFiles(image_, env_.folders);
    const KeyboardLink::StartResult started = link_.start(image_.working.mouseData);
    setUpTray();
    controller_.repaint();
    if (started.commandOpened && started.eventOpened) {
        show();
    } else if (!env_.trayAvailable) {
        // With no tray a hidden window would strand the user: show it and say why.
        show();
        if (!started.cannotOpen) showBalloon();
    }
    controller_.tellUnreadableFiles();
    noteKeyboardAccess(started.cannotOpen, started.commandOpened);
}

void COrvaneDlg::setUpSliders() {
    for (std::size_t k = 0; k < sliders_.size(); ++k) {
        const SliderFace& face = state_.sliders[k];
        auto* slider = new CBitSlider(this);
        slider->move(face.x, face.y);
        slider->resize(30, 10);
        slider->LoadThumbImage(15, 14);
        slider->LoadChannelImages(face.width, face.height);
        slider->SetThumbInset(0);
        slider->setRange(face.minimum, face.maximum);
        slider->setValue(face.position);
        slider->SetReportId(face.id);
        slider->hide();
        slider->setSliderMovedHandler([this, k](int id) {
            state_.sliders[k].position = sliders_[k]->value();
            state_.sliders[k].thumbX = sliders_[k]->ThumbX();
            state_.sliders[k].thumbY = sliders_[k]->ThumbY();
            handleMessage(kMessageSliderMoved, static_cast<std::uintptr_t>(id), 0);
        });
        sliders_[k] = slider;
    }
}

void COrvaneDlg::setUpTray() {
    if (!env_.trayAvailable) return;
    tray_ = new QSystemTrayIcon(windowIcon(), this);
    tray_->setToolTip(qs(kWindowTitle));
    trayMenu_ = new QMenu(this);
    QAction* exit = trayMenu_->addAction(QString());
    connect(exit, &QAction::triggered, this, [this] { closeMainDialog(); });
    // The item's text follows the language each time the menu opens.
    connect(trayMenu_, &QMenu::aboutToShow, this, [this, exit] {
        exit->setText(image_.languageCode == kLanguageChinese ? QStringLiteral("退出")
                                                              : QStringLiteral("Exit"));
    });
    tray_->setContextMenu(trayMenu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick || r == QSystemTrayIcon::Trigger) {
            handleMessage(kMessageTrayCallback, 0, kTrayLeftDoubleClick);
        }
    });
    tray_->show();
}

void COrvaneDlg::setUpHotplug() {
    hotplug_ = std::make_unique<HotplugWatcher>(
        env_.backend.watchHotplug(),
        HotplugWatcher::Callbacks{[this] { onDeviceArrival(); }, [this] { onDeviceRemoval(); },
                                  [this] { return rescanFindsKeyboard(); }});
    // Without a monitor hot-plug still works through the slow rescan.
    if (!hotplug_->monitoring()) {
        qCWarning(lcMainWindow) << "Cannot register for device notifications; relying on rescans";
    }
}

bool COrvaneDlg::rescanFindsKeyboard() {
    if (arrivalPending_ || (link_.commandOpen() && link_.eventOpen())) return false;
    const bool listed = link_.rescanFindsKeyboard();
    if (!listed) keyboardRefused_ = false;  // gone: the tray says so again
    return listed;
}

void COrvaneDlg::onDeviceArrival() {
    qCDebug(lcMainWindow) << "Device arrival";
    if (arrivalPending_) return;
    arrivalPending_ = true;
    // The one settle wait: a timer, so the window keeps answering meanwhile.
    // A keyboard that refuses to be opened is tried again at each rescan
    // this way without ever holding the window up.
    QTimer::singleShot(env_.arrivalSettle, this, [this] {
        arrivalPending_ = false;
        const ArrivalResult result = link_.onArrival(image_);
        if (result.commandOpened) controller_.syncSlidersFromSettings();
        noteKeyboardAccess(result.cannotOpen, result.commandOpened);
        controller_.repaint();
    });
}

void COrvaneDlg::onDeviceRemoval() {
    qCDebug(lcMainWindow) << "Device DBT_DEVICEREMOVECOMPLETE";
    keyboardRefused_ = false;
    link_.onRemoval();
}

void COrvaneDlg::noteKeyboardAccess(bool cannotOpen, bool commandOpened) {
    if (commandOpened) refusalTold_ = false;  // a later refusal is news again
    keyboardRefused_ = cannotOpen;
    if (!cannotOpen || refusalTold_) return;
    refusalTold_ = true;
    showCannotOpenNotice();
}

void COrvaneDlg::showCannotOpenNotice() {
    const AccessNotice notice = cannotOpenNotice(image_.languageCode);
    // Not modal: start-up and arrivals go on behind it.
    env_.dialogs.showNotice(qsUtf8(notice.text).toStdU16String(), qsUtf8(notice.caption).toStdU16String());
}

long COrvaneDlg::handleMessage(int message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case kMessageTrayCallback: onTrayCallback(static_cast<int>(lParam)); break;
        case kMessageBalloon:
            if (wParam == kBalloonNoKeyboard) showBalloon();
            break;
        case kMessageKeyEvent: onHostKeyEvent(static_cast<std::uint8_t>(wParam)); break;
        case kMessageSliderMoved: controller_.onSliderMoved(static_cast<int>(wParam)); break;
        case kMessageRefresh: onRefresh(static_cast<int>(lParam)); break;
        default: break;
    }
    return 0;
}

void COrvaneDlg::onTrayCallback(int mouseMessage) {
    if (mouseMessage != kTrayLeftDoubleClick) return;
    if (link_.commandOpen()) {
        showNormal();
        raise();
        activateWindow();
    } else if (keyboardRefused_) {
        showCannotOpenNotice();  // asked for: said again
    } else {
        handleMessage(kMessageBalloon, kBalloonNoKeyboard, 0);
    }
}

void COrvaneDlg::showBalloon() {
    if (tray_ != nullptr && QSystemTrayIcon::supportsMessages()) {
        tray_->showMessage(qs(kBalloonTitle), qs(kNoKeyboardBalloon), QSystemTrayIcon::Information);
    } else {
        env_.dialogs.showNotice(kNoKeyboardBalloon, kBalloonTitle);
    }
}

void COrvaneDlg::showFromOtherInstance() {
    showNormal();
    raise();
    activateWindow();
}

void COrvaneDlg::onRefresh(int lParam) {
    if (!runRefreshSteps(link_, image_, env_.folders.state, lParam))
        qCWarning(lcMainWindow) << "keymap.bin could not be written";
    controller_.syncSlidersFromSettings();
    controller_.repaint();
    if (lParam == kRefreshAfterKeyboardRead) checkFirmware();
}

void COrvaneDlg::checkFirmware() {
    if (!packageIsNewer(image_.fileFirmwareVersion, image_.deviceFirmwareVersion)) return;
    const UpdateQuestion q = updateQuestion(image_.languageCode);
    if (confirm(q.text, q.caption)) startUpdater();
}

void COrvaneDlg::onHostKeyEvent(std::uint8_t code) {
    std::string path;
    if (runHostAction(image_.working.keyAssignments, code, env_.shell, &path) != HostActionRun::Failed) return;
    qCWarning(lcMainWindow) << "The host action of key" << code << "failed:" << QString::fromStdString(path);
    // Once per path: a key pressed again and again does not stack messages.
    if (!toldHostActionFailures_.insert(path).second) return;
    const HostActionFailure failure = hostActionFailure(path, image_.languageCode);
    env_.dialogs.showMessage(failure.text, failure.caption);
}

// ---- painting --------------------------------------------------------------

void COrvaneDlg::paintAll() {
    PaintAll(canvas_, image_, state_, skin_, kHelpWebAddress);
    if (canvas_.size() != size() && !canvas_.isNull()) resize(canvas_.size());
    applySliderVisibility();
    update();
}

void COrvaneDlg::drawSliderFace(SliderKind kind) {
    const SliderFace& face = state_.slider(kind);
    SkinCanvas canvas(canvas_, skin_);
    DrawSliderFace(canvas, state_, face.id);
    update(face.x, face.y, face.width, face.height + 2);
}

void COrvaneDlg::applySliderVisibility() {
    for (std::size_t k = 0; k < sliders_.size(); ++k) {
        CBitSlider* slider = sliders_[k];
        if (slider == nullptr) continue;
        const SliderFace& face = state_.sliders[k];
        if (slider->pos() != QPoint(face.x, face.y)) slider->move(face.x, face.y);
        if (slider->size() != QSize(face.width, face.height)) slider->resize(face.width, face.height);
        // Follows the composition whether or not the window is shown, so a
        // restored window shows what was last composed.
        slider->setVisible(face.visible);
    }
}

void COrvaneDlg::applySliderPositions() {
    for (std::size_t k = 0; k < sliders_.size(); ++k) {
        if (sliders_[k] != nullptr) sliders_[k]->setValue(state_.sliders[k].position);
    }
}

void COrvaneDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

void COrvaneDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Back from the tray or a second start: what changed while hidden (Cancel
    // restored the saved settings) is composed before it is seen.
    paintAll();
}

// ---- input -----------------------------------------------------------------

void COrvaneDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    controller_.onLButtonDown();
}

void COrvaneDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    manualDrag_ = false;
    const QPoint p = event->position().toPoint();
    controller_.onLButtonUp(p.x(), p.y());
}

void COrvaneDlg::mouseMoveEvent(QMouseEvent* event) {
    const bool held = (event->buttons() & Qt::LeftButton) != 0;
    if (manualDrag_ && held) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    const QPoint p = event->position().toPoint();
    controller_.onMouseMove(p.x(), p.y(), held);
}

void COrvaneDlg::startWindowDrag() {
    QWindow* window = windowHandle();
    if (window != nullptr && window->startSystemMove()) {
        state_.ButtonHeld = false;
        return;
    }
    // No window manager to move us: follow the pointer by hand.
    manualDrag_ = true;
    dragOffset_ = mapFromGlobal(QCursor::pos());
}

void COrvaneDlg::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    controller_.onFocusLost();
}

void COrvaneDlg::keyPressEvent(QKeyEvent* event) {
    // F1, Enter and Escape never close the window or press a button.
    switch (event->key()) {
        case Qt::Key_F1:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            qCDebug(lcMainWindow, "pMsg->wParam=0x%x", event->key());
            event->accept();
            return;
        default: QWidget::keyPressEvent(event);
    }
}

void COrvaneDlg::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // A close request from the desktop (not our close button) hides to the
    // tray, as minimising does; without a tray it ends like the close button.
    event->ignore();
    if (tray_ != nullptr) {
        hideWindow();
    } else {
        controller_.closeWindow();
    }
}

// ---- MainWindowHost ----------------------------------------------------------

void COrvaneDlg::hideWindow() {
    if (tray_ != nullptr) {
        hide();
    } else {
        showMinimized();
    }
}

void COrvaneDlg::closeMainDialog() {
    if (ended_) return;
    ended_ = true;
    hide();
    emit dialogEnded();
}

void COrvaneDlg::setWaitCursor(bool waiting) {
    if (waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

std::optional<Rgb> COrvaneDlg::chooseColor() { return env_.dialogs.chooseColor(); }

bool COrvaneDlg::confirm(std::u16string_view text, std::u16string_view caption) {
    return env_.dialogs.confirm(text, caption);
}

void COrvaneDlg::showMessage(std::u16string_view text, std::u16string_view caption) {
    env_.dialogs.showMessage(text, caption);
}

SaveOutcome COrvaneDlg::writeAll() {
    switch (link_.writeAll(image_)) {
        case WriteResult::NothingChanged: return SaveOutcome::NothingChanged;
        case WriteResult::Sent: return SaveOutcome::Sent;
        case WriteResult::NoAcknowledgement: return SaveOutcome::NoAcknowledgement;
        case WriteResult::NotConnected: break;
    }
    return SaveOutcome::NotConnected;
}

void COrvaneDlg::factoryResetKeyboard() {
    link_.factoryResetAndRead(image_.working.mouseData);
}

void COrvaneDlg::runMacroManager() {
    CMacroRecordDlg panel({image_.macroStore, env_.folders.resources, image_.languageCode, env_.dialogs}, this);
    if (panel.DoModal() != QDialog::Accepted) return;
    if (const auto failed = confirmMacroPanel(image_, panel.controller(), env_.folders.state)) {
        env_.dialogs.showMessage(failed->text, failed->caption);
    }
    controller_.repaint();
}

void COrvaneDlg::runProfileManager() {
    // Modal; when it closes the controller refreshes the window and writes keymap.bin.
    CConfigureDlg panel(image_, env_.dialogs, env_.folders, image_.languageCode, this);
    panel.OnInitDialog(geometry());
    panel.exec();
}

bool COrvaneDlg::runKeyAssignment(std::uint8_t position, PendingAssignment& pending) {
    if (!keyMap_) keyMap_ = std::make_unique<CKeyMap>(env_.dialogs, env_.folders.resources, this);
    return keyMap_->DoModal(image_, pending, position, state_.CurrentKeyCode);
}

void COrvaneDlg::openWebAddress() {
    env_.shell.openWithDesktop(kHelpWebAddress.toStdString());
}

void COrvaneDlg::startUpdater() {
    orvane::startUpdater(env_.folders.resources, env_.shell);
}

void COrvaneDlg::sendRefresh(int lParam) {
    handleMessage(kMessageRefresh, 0, lParam);
}

// ---- LinkListener ------------------------------------------------------------

void COrvaneDlg::postKeyEvent(std::uint8_t code) {
    QMetaObject::invokeMethod(this, [this, code] { handleMessage(kMessageKeyEvent, code, 0); },
                              Qt::QueuedConnection);
}

void COrvaneDlg::postReadAllFinished() {
    QMetaObject::invokeMethod(this, [this] { link_.finishReadAll(image_); }, Qt::QueuedConnection);
}

void COrvaneDlg::postDeviceLost() {
    QMetaObject::invokeMethod(this, [this] { onDeviceRemoval(); }, Qt::QueuedConnection);
}

}  // namespace orvane
