#include "mainwindow/view/orvanedlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QTimer>

#include "controls/bitslider.h"
#include "drawing/resourceimages.h"
#include "drawing/skincanvas.h"
#include "keyboardstate/keylabels.h"
#include "mainwindow/model/messages.h"
#include "mainwindow/view/maintray.h"
#include "mainwindow/view/paintall.h"
#include "mainwindow/view/sliderface.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/hotplugwatcher.h"
#include "platform/desktop/qtstrings.h"
#include "platform/hid/hidbackend.h"

Q_LOGGING_CATEGORY(lcMainWindow, "orvane.mainwindow", QtWarningMsg)

namespace orvane {

COrvaneDlg::COrvaneDlg(Environment env, QWidget* parent)
    : SkinnedWindow<QWidget>(parent, Qt::Window | Qt::FramelessWindowHint),
      env_(std::move(env)),
      image_(env_.image),
      skin_(SkinImages::skinFolder(QString::fromStdString(env_.folders.resources.string()) + u'/', env_.languageCode)),
      link_(env_.backend, env_.sleeper, *this),
      controller_(image_, state_, env_.folders.state, *this),
      session_({image_, link_, controller_, env_.dialogs, env_.shell, env_.folders, *this, env_.arrivalSettle}),
      panels_({image_, state_, controller_, env_.dialogs, env_.shell, env_.folders}, *this) {
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
    const KeyboardLink::StartResult started = session_.start();
    if (env_.trayAvailable) {
        tray_ = new MainTray(windowIcon(), kWindowTitle, image_.languageCode, this);
        connect(tray_, &MainTray::exitRequested, this, [this] { closeMainDialog(); });
        connect(tray_, &MainTray::trayActivated, this, &COrvaneDlg::onTrayActivated);
    }
    controller_.repaint();
    if (started.commandOpened && started.eventOpened) {
        show();
    } else if (!env_.trayAvailable) {
        // With no tray a hidden window would strand the user: show it and say why.
        show();
        if (!started.cannotOpen) showNoKeyboard();
    }
    controller_.tellUnreadableFiles();
    session_.started(started);
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
        connect(slider, &CBitSlider::thumbPlaced, this, [this, k](int id) {
            state_.sliders[k].position = sliders_[k]->value();
            state_.sliders[k].thumbX = sliders_[k]->ThumbX();
            state_.sliders[k].thumbY = sliders_[k]->ThumbY();
            controller_.onSliderMoved(id);
        });
        sliders_[k] = slider;
    }
}

void COrvaneDlg::setUpHotplug() {
    hotplug_ = std::make_unique<HotplugWatcher>(
        env_.backend.watchHotplug(),
        HotplugWatcher::Callbacks{[this] { onDeviceArrival(); }, [this] { onDeviceRemoval(); },
                                  [this] { return session_.rescanFindsKeyboard(); }});
    // Without a monitor hot-plug still works through the slow rescan.
    if (!hotplug_->monitoring()) {
        qCWarning(lcMainWindow) << "Cannot register for device notifications; relying on rescans";
    }
}

void COrvaneDlg::onDeviceArrival() {
    qCDebug(lcMainWindow) << "Device arrival";
    session_.deviceArrived();
}

void COrvaneDlg::onDeviceRemoval() {
    qCDebug(lcMainWindow) << "Device removal";
    session_.deviceRemoved();
}

void COrvaneDlg::onTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) session_.trayActivated();
}

void COrvaneDlg::showFromOtherInstance() { bringWindowToFront(); }

// ---- KeyboardSessionHost -----------------------------------------------------

void COrvaneDlg::startSettleTimer(std::chrono::milliseconds wait) {
    QTimer::singleShot(wait, this, [this] { session_.settled(); });
}

void COrvaneDlg::showAccessNotice(const AccessNotice& notice) {
    env_.dialogs.showNotice(u16(qsUtf8(notice.text)), u16(qsUtf8(notice.caption)));
}

void COrvaneDlg::showNoKeyboard() {
    if (tray_ == nullptr || !tray_->showBalloon(kBalloonTitle, kNoKeyboardBalloon)) {
        env_.dialogs.showNotice(kNoKeyboardBalloon, kBalloonTitle);
    }
}

void COrvaneDlg::bringWindowToFront() {
    showNormal();
    raise();
    activateWindow();
}

void COrvaneDlg::logWarning(const std::string& text) { qCWarning(lcMainWindow).noquote() << qsUtf8(text); }

// ---- painting --------------------------------------------------------------

void COrvaneDlg::paintAll() {
    PaintAll(canvas_, image_, state_, skin_, QString::fromUtf8(kHelpWebAddress));
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

void COrvaneDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Back from the tray or a second start: what changed while hidden (Cancel
    // restored the saved settings) is composed before it is seen.
    paintAll();
}

// ---- input -----------------------------------------------------------------

void COrvaneDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    drag_.pressed(*event);
    controller_.onLButtonDown();
}

void COrvaneDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    drag_.release();
    const QPoint p = event->position().toPoint();
    controller_.onLButtonUp(p.x(), p.y());
}

void COrvaneDlg::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.follow(*this, *event)) return;
    const QPoint p = event->position().toPoint();
    controller_.onMouseMove(p.x(), p.y(), (event->buttons() & Qt::LeftButton) != 0);
}

void COrvaneDlg::startWindowDrag() {
    if (drag_.start(*this)) state_.ButtonHeld = false;
}

void COrvaneDlg::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    controller_.onFocusLost();
}

void COrvaneDlg::keyPressEvent(QKeyEvent* event) {
    // F1, like Enter and Escape, never closes the window or presses a button.
    if (event->key() == Qt::Key_F1) {
        event->accept();
        return;
    }
    SkinnedWindow<QWidget>::keyPressEvent(event);
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

// ---- LinkListener ------------------------------------------------------------

void COrvaneDlg::postKeyEvent(std::uint8_t code) {
    QMetaObject::invokeMethod(this, [this, code] { session_.hostKeyPressed(code); }, Qt::QueuedConnection);
}

void COrvaneDlg::postReadAllFinished() {
    QMetaObject::invokeMethod(this, [this] { link_.finishReadAll(image_); }, Qt::QueuedConnection);
}

void COrvaneDlg::postDeviceLost() {
    QMetaObject::invokeMethod(this, [this] { onDeviceRemoval(); }, Qt::QueuedConnection);
}

}  // namespace orvane
