#include "keyassign/view/keymap.h"

#include <QCloseEvent>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include "controls/vividtree.h"
#include "drawing/resourceimages.h"
#include "platform/desktop/keyhook.h"
#include "keyassign/view/keymappaint.h"
#include "platform/desktop/qtstrings.h"

namespace orvane {

namespace {

// The edits and the list draw white text on grey, without frames.
void skinControl(QWidget* w) {
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, QColor(0x6D, 0x6D, 0x6D));
        p.setColor(group, QPalette::Text, Qt::white);
        p.setColor(group, QPalette::Window, QColor(0x6D, 0x6D, 0x6D));
    }
    w->setPalette(p);
    // The panel sets the focus itself; no control takes it by the Tab order.
    w->setFocusPolicy(Qt::ClickFocus);
}

}  // namespace

CKeyMap::CKeyMap(Dialogs& dialogs, std::filesystem::path resourceFolder, QWidget* mainWindow)
    : SkinnedWindow<QDialog>(mainWindow, Qt::Dialog | Qt::FramelessWindowHint),
      resourceFolder_(std::move(resourceFolder)),
      mainWindow_(mainWindow),
      panel_(*this, dialogs, QDir::homePath().toStdString()) {
    setObjectName(QStringLiteral("CKeyMap"));
    setWindowTitle(QStringLiteral("Key Assignment"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    QFont dialogFont(QStringLiteral("MS Shell Dlg"), 8);
    dialogFont.setStyleHint(QFont::SansSerif);
    setFont(dialogFont);

    tree_ = new VividTree(this);
    tree_->setObjectName(QStringLiteral("tree1003"));
    single_ = new QLineEdit(this);
    single_->setObjectName(QStringLiteral("edit1013"));
    combine_ = new QLineEdit(this);
    combine_->setObjectName(QStringLiteral("edit1012"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("list1015"));
    for (QLineEdit* edit : {single_, combine_}) {
        edit->setFrame(false);
        skinControl(edit);
        edit->installEventFilter(this);
    }
    list_->setFrameShape(QFrame::NoFrame);
    skinControl(list_);
    tree_->setFocusPolicy(Qt::ClickFocus);
    resize(325, 275);
}

CKeyMap::~CKeyMap() { panel_.close(); }

void CKeyMap::openPanel(SettingsImage& image, PendingAssignment& pending, std::uint8_t position,
                        std::uint8_t currentKeyCode) {
    drag_.release();
    panel_.open(image, pending, position, currentKeyCode);
    centreOverMainWindow();
    refresh();
    show();
    raise();
    activateWindow();
}

bool CKeyMap::DoModal(SettingsImage& image, PendingAssignment& pending, std::uint8_t position,
                      std::uint8_t currentKeyCode) {
    setModal(true);
    openPanel(image, pending, position, currentKeyCode);
    // The panel may already have ended (nothing does so while opening today).
    const int code = panel_.result() ? (panel_.result() == PanelResult::Ok ? Accepted : Rejected) : exec();
    panel_.close();
    return code == Accepted && panel_.result() == PanelResult::Ok;
}

void CKeyMap::done(int result) {
    // Leaving the panel by any way ends the capture.
    panel_.close();
    drag_.release();
    QDialog::done(result);
}

void CKeyMap::centreOverMainWindow() {
    if (mainWindow_ == nullptr) return;
    const QRect main = mainWindow_->frameGeometry();
    move(main.center() - QPoint(width() / 2, height() / 2));
}

// ---- KeyMapPanelHost ----------------------------------------------------------

void CKeyMap::loadBackground() {
    const QString data = QString::fromStdString(resourceFolder_.string()) + u'/';
    const QString folder = SkinImages::skinFolder(data, panel_.languageCode()) + QStringLiteral("Custom/");
    if (skin_.folder() != folder) skin_.setFolder(folder);
    const QSize size = skin_.image(u"Custom_BK.png").size();
    resize(size.isEmpty() ? QSize(325, 275) : size);
}

void CKeyMap::placeControls() {
    tree_->setGeometry(10, 60, 295, 160);
    single_->setGeometry(20, 89, 280, 15);
    combine_->setGeometry(20, 139, 280, 15);
    list_->setGeometry(20, 79, 280, 150);
    single_->clear();
    combine_->clear();
    tree_->SetBackgroundBitmap(kBitmapTreeBackground);
    tree_->SetBackgroundMode(kTreeBackgroundSolid);
    tree_->clearFocus();
    list_->clearFocus();
}

void CKeyMap::fillTree(const std::vector<FunctionTreeItem>& items, std::u16string_view select) {
    tree_->clear();
    std::vector<QTreeWidgetItem*> made;
    for (const FunctionTreeItem& item : items) {
        QTreeWidgetItem* parent = item.parent >= 0 ? made[static_cast<std::size_t>(item.parent)] : nullptr;
        auto* node = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
        node->setText(0, qs(item.text));
        made.push_back(node);
    }
    for (QTreeWidgetItem* node : made) {
        if (select.empty() || node->text(0) != qs(select)) continue;
        node->setSelected(true);
        if (node->parent() != nullptr) node->parent()->setExpanded(true);
    }
}

void CKeyMap::fillMacroList(const std::vector<std::u16string>& names) {
    list_->clear();
    for (const std::u16string& name : names) list_->addItem(qs(name));
    list_->clearSelection();
}

QLineEdit* CKeyMap::box(CaptureBox which) const { return which == CaptureBox::Single ? single_ : combine_; }

void CKeyMap::setBoxText(CaptureBox which, std::u16string_view text) {
    QLineEdit* edit = box(which);
    edit->setText(qs(text));
    edit->end(false);
}

void CKeyMap::focusBox(CaptureBox which) {
    box(which)->show();
    box(which)->setFocus(Qt::OtherFocusReason);
}

void CKeyMap::focusMacroList(int item) {
    list_->show();
    if (item >= 0 && item < list_->count()) list_->setCurrentRow(item);
    list_->setFocus(Qt::OtherFocusReason);
}

void CKeyMap::focusTree() {
    tree_->show();
    tree_->setFocus(Qt::OtherFocusReason);
}

bool CKeyMap::installHook() {
    KeyCapture* capture = installhook(this, 0);  // mode 0: one per key, on its press
    if (capture == nullptr) return false;
    connect(capture, &KeyCapture::keyCaptured, this, [this](quint8 virtualKey) {
        panel_.onKeyCaptured(virtualKey);
        refresh();
    }, Qt::QueuedConnection);
    return true;
}
void CKeyMap::removeHook() { removehook(); }

std::optional<std::u16string> CKeyMap::selectedTreeText() {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return selected.front()->text(0).toStdU16String();
}

int CKeyMap::selectedMacroIndex() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.front());
}

void CKeyMap::startDrag() { drag_.start(*this); }

void CKeyMap::end(PanelResult result) { done(result == PanelResult::Ok ? Accepted : Rejected); }

// ---- drawing and input -----------------------------------------------------------

void CKeyMap::refresh() {
    const int page = panel_.page();
    single_->setVisible(page == kPageSingle);
    combine_->setVisible(page == kPageSingle);
    list_->setVisible(page == kPageMacro);
    tree_->setVisible(page == kPageBasic);
    paintKeyMapPanel(canvas_, skin_, panel_);
    update();
}

void CKeyMap::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) drag_.pressed(*event);
    QDialog::mousePressEvent(event);
}

void CKeyMap::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.follow(*this, *event)) return;
    const bool held = (event->buttons() & Qt::LeftButton) != 0;
    const QPoint p = event->position().toPoint();
    if (panel_.onMouseMove(p.x(), p.y(), held)) refresh();
}

void CKeyMap::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (drag_.release()) return;
    const QPoint p = event->position().toPoint();
    panel_.onLButtonUp(p.x(), p.y());
    if (isVisible()) refresh();
}

bool CKeyMap::eventFilter(QObject* watched, QEvent* e) {
    // Only a click into a box chooses between single key and combination;
    // focus coming back after a dialog or a window switch, or the focus event
    // a dialog sends itself when it is shown, does not (the boxes take no Tab focus).
    if (e->type() == QEvent::FocusIn) {
        // A box shows its keys with the caret at the end, never selected.
        auto* edit = static_cast<QLineEdit*>(watched);
        QMetaObject::invokeMethod(edit, [edit] { edit->end(false); }, Qt::QueuedConnection);
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason == Qt::MouseFocusReason) {
            panel_.onBoxFocused(watched == single_ ? CaptureBox::Single : CaptureBox::Combine);
            refresh();
        }
    }
    return QDialog::eventFilter(watched, e);
}

void CKeyMap::closeEvent(QCloseEvent* event) {
    // Closed from outside (the desktop): as the close button, nothing applied.
    event->accept();
    if (isVisible()) done(Rejected);
}

}  // namespace orvane
