#include "macros/view/macrorecorddlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

#include "controls/transparentlistbox.h"
#include "macros/view/macropanelpaint.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/qtstrings.h"

namespace orvane {
namespace {

constexpr int kListFontHeight = 16;
constexpr int kLongestName = 254;  // a name keeps its terminator in 255 units

QString imageFolder(const std::filesystem::path& dataFolder, std::int16_t languageCode) {
    return SkinImages::skinFolder(QString::fromStdString(dataFolder.string()) + u'/', languageCode) +
           QStringLiteral("MacroManagement/");
}

PerformanceClock& clockOf(PerformanceClock* given, std::unique_ptr<PerformanceClock>& own) {
    if (given != nullptr) return *given;
    own = std::make_unique<SteadyPerformanceClock>();
    return *own;
}

void setUpList(CTransparentListBox& list, ListBoxMode mode, const QRect& place) {
    list.setGeometry(place);
    list.SetFont(kListFontHeight, QStringLiteral("Arial"), Qt::white, QColor(0, 255, 255), true, 2, Qt::black);
    list.SetMode(mode);
}

}  // namespace

CMacroRecordDlg::CMacroRecordDlg(Environment env, QWidget* parent)
    : SkinnedWindow<QDialog>(parent, Qt::Dialog | Qt::FramelessWindowHint),
      env_(std::move(env)),
      skin_(imageFolder(env_.resourceFolder, env_.languageCode)),
      hook_(this,
            [this](std::uint8_t virtualKey, bool released) {
                controller_.onKey(virtualKey, released);
                refresh();
            }),
      controller_(env_.languageCode, hook_, clockOf(env_.clock, ownClock_), *this),
      eventList_(new CTransparentListBox(this)),
      macroList_(new CTransparentListBox(this)),
      loopEdit_(new QLineEdit(this)) {
    setModal(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(qs(env_.languageCode == kLanguageChinese ? u"宏管理器" : u"Macro Manager"));
    eventList_->setObjectName(QStringLiteral("eventList"));
    macroList_->setObjectName(QStringLiteral("macroList"));
    loopEdit_->setObjectName(QStringLiteral("loopEdit"));
    eventList_->viewport()->installEventFilter(this);

    connect(macroList_, &CTransparentListBox::userSelectionChanged, this, [this](int item) {
        controller_.onMacroSelected(item);
        refresh();
    });
    connect(eventList_, &CTransparentListBox::userSelectionChanged, this, [this](int item) {
        controller_.onEventSelected(item);
        refresh();
    });
    for (CTransparentListBox* list : {eventList_, macroList_}) {
        connect(list, &CTransparentListBox::editBegins, this, [this] {
            controller_.onInPlaceEditBegins();
            refresh();
        });
        connect(list, &CTransparentListBox::editResult, this, &CMacroRecordDlg::onEditResult);
        connect(list, &CTransparentListBox::itemTextChanged, this, [this](int row) { onItemTextChanged(row); });
    }
    // The edit's notification also comes for the panel's own changes; those
    // are stored by the session itself.
    connect(loopEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (syncing_) return;
        controller_.onLoopTextChanged(u16(text));
    });
}

CMacroRecordDlg::~CMacroRecordDlg() {
    // An edit still open ends while the window's children go, after the
    // controller is gone: it must no longer reach this panel.
    eventList_->disconnect(this);
    macroList_->disconnect(this);
    controller_.close();
}

void CMacroRecordDlg::OnInitDialog() {
    // The controls at their places, the lists in their fonts and modes.
    setUpList(*macroList_, ListBoxMode::Plain, QRect(20, 80, 113, 275));
    setUpList(*eventList_, ListBoxMode::DelayValues, QRect(150, 80, 113, 275));
    macroList_->SetEditLimit(kLongestName);
    loopEdit_->setGeometry(296, 331, 84, 18);
    // At most three digits typed; a longer count read from the file is still
    // shown whole, since the panel's own text is not checked.
    loopEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), loopEdit_));
    QPalette palette = loopEdit_->palette();
    palette.setColor(QPalette::Active, QPalette::Base, QColor(225, 225, 225));
    palette.setColor(QPalette::Inactive, QPalette::Base, QColor(225, 225, 225));
    palette.setColor(QPalette::Active, QPalette::Text, Qt::black);
    palette.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
    loopEdit_->setPalette(palette);

    const QSize size = skin_.image(u"MacroManagement.png").size();
    setFixedSize(size.isEmpty() ? kMacroPanelFallbackSize : size);

    controller_.open(env_.store);
    refresh();
}

int CMacroRecordDlg::DoModal() {
    OnInitDialog();
    return exec();
}

// ---- state to screen -----------------------------------------------------------

void CMacroRecordDlg::refresh() {
    syncing_ = true;
    syncMacroList();
    syncEventList();
    syncLoopEdit();
    syncing_ = false;
    paintMacroPanel(canvas_, skin_, controller_);
    update();
}

void CMacroRecordDlg::syncMacroList() {
    // A list in the middle of an edit shows the editor; it is brought in
    // line once the edit is over.
    if (macroList_->itemBeingEdited() != -1) return;
    const auto& names = controller_.session().macroNames();
    while (macroList_->count() > static_cast<int>(names.size())) delete macroList_->takeItem(macroList_->count() - 1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int row = static_cast<int>(i);
        if (row < macroList_->count()) {
            macroList_->SetText(row, qs(names[i]));
        } else {
            macroList_->AddString(qs(names[i]));
        }
    }
    macroList_->SetCurSel(controller_.session().selectedMacro());
}

void CMacroRecordDlg::syncEventList() {
    if (eventList_->itemBeingEdited() != -1) return;
    const auto& items = controller_.session().events().items();
    bool same = eventList_->count() == static_cast<int>(items.size());
    for (std::size_t i = 0; same && i < items.size(); ++i) same = eventList_->GetText(static_cast<int>(i)) == qs(items[i]);
    if (!same) {
        eventList_->clear();
        for (const auto& text : items) eventList_->AddString(qs(text));
    }
    eventList_->SetCurSel(controller_.session().events().selection());
}

void CMacroRecordDlg::syncLoopEdit() {
    const QString text = qs(controller_.session().loopText());
    if (loopEdit_->text() != text) loopEdit_->setText(text);
    loopEdit_->setEnabled(controller_.session().loopsOption());
}

// ---- the lists -------------------------------------------------------------------

void CMacroRecordDlg::onEditResult(int index, int value) {
    // Only the event list's delay values come here; the list shows the new
    // text itself.
    controller_.onDelayEdited(static_cast<std::size_t>(index), static_cast<unsigned>(value));
    QMetaObject::invokeMethod(this, [this] { refresh(); }, Qt::QueuedConnection);
}

void CMacroRecordDlg::onItemTextChanged(int row) {
    // Told during the edit's end, while the list still knows its item.
    if (macroList_->itemBeingEdited() == row) {
        const QString name = macroList_->GetText(row);
        if (!controller_.onMacroRenamed(static_cast<std::size_t>(row), u16(name))) {
            // Refused (empty or too long): the stored name comes back.
            QMetaObject::invokeMethod(this, [this] { refresh(); }, Qt::QueuedConnection);
        }
    } else {
        QMetaObject::invokeMethod(this, [this] { refresh(); }, Qt::QueuedConnection);
    }
}

// ---- pointer and keys ------------------------------------------------------------

void CMacroRecordDlg::endInPlaceEdits() {
    // A click on the panel itself takes no focus, so an edit running in a
    // list is kept here, before any command can read the lists.
    macroList_->EndEdit(true);
    eventList_->EndEdit(true);
}

void CMacroRecordDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) drag_.pressed(*event);
    endInPlaceEdits();
    QDialog::mousePressEvent(event);
}

void CMacroRecordDlg::mouseReleaseEvent(QMouseEvent* event) {
    drag_.release();
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        controller_.onLButtonUp(p.x(), p.y());
        refresh();
    }
    QDialog::mouseReleaseEvent(event);
}

void CMacroRecordDlg::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.follow(*this, *event)) return;
    const bool held = (event->buttons() & Qt::LeftButton) != 0;
    const int before = controller_.regions().hovered();
    const QPoint p = event->position().toPoint();
    controller_.onMouseMove(p.x(), p.y(), held);
    if (controller_.regions().hovered() != before) refresh();
}

void CMacroRecordDlg::leaveEvent(QEvent* event) {
    controller_.onPointerLeft();
    refresh();
    QDialog::leaveEvent(event);
}

bool CMacroRecordDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == eventList_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) openContextMenu(mouse->globalPosition().toPoint());
    }
    return QDialog::eventFilter(watched, event);
}

void CMacroRecordDlg::openContextMenu(const QPoint& globalPos) {
    const MacroMenuTexts t = macroMenuTexts(controller_.languageCode());
    QMenu menu(this);
    const auto add = [](QMenu& to, const std::u16string& text, int command) {
        to.addAction(qs(text))->setData(command);
    };
    add(menu, t.insertBefore, kCmdInsertBefore);
    add(menu, t.insertAfter, kCmdInsertAfter);
    QMenu* mouse = menu.addMenu(qs(t.insertMouseKey));
    const struct { const std::u16string& name; int down, up, click; } buttons[] = {
        {t.left, kCmdMouseLeftDown, kCmdMouseLeftUp, kCmdMouseLeftClick},
        {t.right, kCmdMouseRightDown, kCmdMouseRightUp, kCmdMouseRightClick},
        {t.middle, kCmdMouseMiddleDown, kCmdMouseMiddleUp, kCmdMouseMiddleClick},
    };
    for (const auto& b : buttons) {
        QMenu* sub = mouse->addMenu(qs(b.name));
        add(*sub, t.down, b.down);
        add(*sub, t.up, b.up);
        add(*sub, t.click, b.click);
    }
    add(menu, t.insertDelay, kCmdInsertDelay);
    add(menu, t.deleteItem, kCmdDeleteItem);
    menu_ = &menu;
    QAction* chosen = menu.exec(globalPos);
    menu_ = nullptr;
    if (chosen == nullptr) return;
    controller_.onMenuCommand(chosen->data().toInt());
    refresh();
}

// ---- MacroPanelHost -------------------------------------------------------------------

void CMacroRecordDlg::showMessage(const PanelMessage& message) {
    const PanelKeyHook::Pause keysToTheBox(hook_);
    env_.dialogs.showMessage(message.text, message.caption);
}

bool CMacroRecordDlg::confirm(const PanelMessage& message) {
    const PanelKeyHook::Pause keysToTheBox(hook_);
    return env_.dialogs.confirm(message.text, message.caption);
}

void CMacroRecordDlg::endPanel(bool ok) { done(ok ? QDialog::Accepted : QDialog::Rejected); }

void CMacroRecordDlg::done(int result) {
    controller_.close();  // the capture never outlives the panel
    QDialog::done(result);
}

void CMacroRecordDlg::startWindowDrag() { drag_.start(*this); }

}  // namespace orvane
