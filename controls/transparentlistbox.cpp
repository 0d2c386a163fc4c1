#include "controls/transparentlistbox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

#include "controls/edithelper.h"
#include "drawing/resourceimages.h"
#include "platform/desktop/qtstrings.h"

namespace orvane {
namespace {

constexpr QPoint kBackgroundOrigin(7, 22);  // where bitmap 145 meets the list's corner
constexpr int kIconInset = 20;              // icons sit this far left of the right edge

// Every row has the list's own item height, whatever its text.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    FixedRowDelegate(QObject* parent, const int& height) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {1, height_}; }

private:
    const int& height_;
};

// The pixel size whose cell (ascent + descent) is `height`, as a
// window-system font height means.
QFont fontOfCellHeight(const QString& face, int height) {
    QFont font(face);
    font.setWeight(QFont::Bold);
    int size = std::max(height, 1);
    for (; size > 1; --size) {
        font.setPixelSize(size);
        const QFontMetrics m(font);
        if (m.ascent() + m.descent() <= height) break;
    }
    font.setPixelSize(size);
    return font;
}

QImage iconOf(ListItemIcon icon) {
    switch (icon) {
        case ListItemIcon::Press: return resourceImage(kBitmapPressIcon);
        case ListItemIcon::Release: return resourceImage(kBitmapReleaseIcon);
        case ListItemIcon::Delay: return resourceImage(kBitmapDelayIcon);
        case ListItemIcon::None: break;
    }
    return {};
}

}  // namespace

CTransparentListBox::CTransparentListBox(QWidget* parent)
    : QListWidget(parent),
      textColour_(QApplication::palette().color(QPalette::WindowText)),
      selectedColour_(QApplication::palette().color(QPalette::HighlightedText)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new FixedRowDelegate(this, rowHeight_));
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    rowHeight_ = QFontMetrics(font()).height();
}

CTransparentListBox::~CTransparentListBox() {
    // The editor goes first, without telling anyone.
    delete editor_.data();
}

void CTransparentListBox::SetFont(int height, const QString& face, QColor text, QColor selected,
                                  bool shadow, int shadowOffset, QColor shadowColour) {
    textColour_ = text;
    selectedColour_ = selected;
    shadow_ = shadow;
    shadowOffset_ = shadowOffset;
    shadowColour_ = shadowColour;
    font_ = fontOfCellHeight(face, height);
    ownFont_ = true;
    setFont(font_);
    rowHeight_ = std::max(QFontMetrics(font_).boundingRect(QStringLiteral("XYZ")).height(),
                          QFontMetrics(font_).height());
    doItemsLayout();
    Redraw();
}

QFont CTransparentListBox::GetFont() const { return ownFont_ ? font_ : font(); }

void CTransparentListBox::SetMode(ListBoxMode mode) {
    edit_.setMode(mode);
    snapshotValid_ = false;
    Redraw();
}

void CTransparentListBox::SetSorted(bool sorted) {
    setSortingEnabled(sorted);
    if (sorted) sortItems();
}

int CTransparentListBox::AddString(const QString& text, std::uintptr_t data) {
    return InsertString(count(), text, data);
}

int CTransparentListBox::InsertString(int index, const QString& text, std::uintptr_t data) {
    if (index < 0 || index > count()) index = count();
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(data));
    insertItem(index, item);  // a sorted list puts it in its place
    return row(item);
}

QString CTransparentListBox::GetText(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr ? it->text() : QString();
}

void CTransparentListBox::SetText(int index, const QString& text) {
    if (QListWidgetItem* it = item(index); it != nullptr && it->text() != text) it->setText(text);
}

std::uintptr_t CTransparentListBox::GetItemData(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr ? static_cast<std::uintptr_t>(it->data(Qt::UserRole).toULongLong()) : 0;
}

int CTransparentListBox::GetCurSel() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void CTransparentListBox::SetCurSel(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentItem(nullptr);
    } else if (GetCurSel() != index || currentRow() != index) {
        setCurrentRow(index);
    }
    if (index >= 0 && index < count()) scrollToItem(item(index));
    Redraw();
}

QRect CTransparentListBox::itemRectangle(int index) const {
    const QListWidgetItem* it = item(index);
    if (it == nullptr) return {};
    return QRect(0, visualItemRect(it).top(), viewport()->width(), rowHeight_);
}

void CTransparentListBox::Redraw() { viewport()->update(); }

// ---- painting ----------------------------------------------------------------

void CTransparentListBox::takeSnapshot() {
    const QSize size = viewport()->size();
    snapshot_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QWidget* parent = parentWidget();
    if (edit_.mode() == ListBoxMode::ParentBackground && parent != nullptr) {
        snapshot_.fill(parent->palette().color(QPalette::Window));
        // Only the parent's own painting, never the lists on it.
        const QRect under(viewport()->mapTo(parent, QPoint(0, 0)), size);
        parent->render(&snapshot_, QPoint(0, 0), QRegion(under), QWidget::DrawWindowBackground);
    } else {
        const QImage background = resourceImage(kBitmapListBackground);
        snapshot_.fill(background.isNull() ? QColor(Qt::black) : QColor(background.pixel(0, 0)));
        QPainter p(&snapshot_);
        p.drawImage(QPoint(0, 0), background, QRect(kBackgroundOrigin, size));
    }
    snapshotValid_ = true;
}

void CTransparentListBox::paintEvent(QPaintEvent*) {
    if (!snapshotValid_ || snapshot_.size() != viewport()->size()) takeSnapshot();
    QImage frame = snapshot_.copy();
    {
        QPainter p(&frame);
        const QModelIndex top = indexAt(QPoint(0, 0));
        for (int i = top.isValid() ? top.row() : 0; i < count(); ++i) {
            const QRect rect = itemRectangle(i);
            if (rect.top() >= frame.height()) break;
            if (rect.bottom() < 0) continue;
            DrawItem(p, i, rect, item(i)->isSelected());
        }
    }
    QPainter(viewport()).drawImage(0, 0, frame);
}

void CTransparentListBox::DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const {
    if (index < 0 || index >= count()) return;
    painter.drawImage(rect.topLeft(), snapshot_, rect);
    const ListItemFace face = listItemFace(GetText(index).toStdU16String(), edit_.mode());
    const QString text = qs(face.text);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
    painter.setFont(GetFont());
    if (shadow_) {
        painter.setPen(isEnabled() ? shadowColour_ : QColor(Qt::white));
        painter.drawText(rect.translated(shadowOffset_, shadowOffset_), flags, text);
    }
    painter.setPen(!isEnabled() ? QColor(Qt::black) : selected ? selectedColour_ : textColour_);
    painter.drawText(rect, flags, text);
    const QImage icon = iconOf(face.icon);
    if (!icon.isNull()) painter.drawImage(QPoint(rect.left() + rect.width() - kIconInset, rect.top()), icon);
}

// ---- input -------------------------------------------------------------------

template <typename Handler>
void CTransparentListBox::noticingSelection(Handler handler) {
    const int before = GetCurSel();
    handler();
    Redraw();
    const int after = GetCurSel();
    if (after != before) emit userSelectionChanged(after);
}

void CTransparentListBox::mousePressEvent(QMouseEvent* event) {
    noticingSelection([&] { QListWidget::mousePressEvent(event); });
}

void CTransparentListBox::mouseMoveEvent(QMouseEvent* event) {
    noticingSelection([&] { QListWidget::mouseMoveEvent(event); });
}

void CTransparentListBox::keyPressEvent(QKeyEvent* event) {
    noticingSelection([&] { QListWidget::keyPressEvent(event); });
}

void CTransparentListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QListWidget::mouseDoubleClickEvent(event);
        return;
    }
    const int selected = GetCurSel();
    if (selected < 0) return;
    if (!edit_.editable(GetText(selected).toStdU16String())) {
        QListWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (!itemRectangle(selected).contains(event->position().toPoint())) return;
    beginEdit(selected);
}

void CTransparentListBox::beginEdit(int index) {
    EndEdit(true);
    emit editBegins();
    if (index >= count()) return;  // the parent changed the list meanwhile
    auto* editor = new CEditHelper(viewport());
    connect(editor, &CEditHelper::finished, this, &CTransparentListBox::EndEdit);
    editor->setGeometry(itemRectangle(index).adjusted(0, -2, 0, 2));
    editor->setFont(GetFont());
    editor->setFrame(true);
    if (edit_.mode() == ListBoxMode::DelayValues) {
        editor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), editor));
    }
    if (editLimit_ > 0) editor->setMaxLength(editLimit_);
    editor->setText(qs(edit_.editorText(GetText(index).toStdU16String())));
    editor->selectAll();
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    editor_ = editor;
    edit_.begin(index);
}

void CTransparentListBox::EndEdit(bool keep) {
    if (editor_ == nullptr) return;
    // Detached first: hiding the editor takes its focus, and the end-edit
    // that focus loss sends finds nothing left to do.
    CEditHelper* editor = editor_;
    editor_ = nullptr;
    const QString typed = editor->text();
    const int index = edit_.itemBeingEdited();
    if (editor->hasFocus()) setFocus(Qt::OtherFocusReason);
    editor->hide();
    editor->deleteLater();
    if (keep && index >= 0 && index < count()) {
        const QString old = GetText(index);
        const ListBoxEdit::Kept kept = edit_.keep(old.toStdU16String(), typed.toStdU16String());
        if (kept.value) {
            emit editResult(index, static_cast<int>(*kept.value));
        }
        if (kept.newText && index < count()) {
            const std::uintptr_t data = GetItemData(index);
            delete takeItem(index);
            const int placed = InsertString(index, qs(*kept.newText), data);
            edit_.moved(placed);
            SetCurSel(placed);
            if (notify_) {
                emit itemTextChanged(placed, old);
            }
            if (edit_.mode() == ListBoxMode::ParentBackground) {
                emit editResult(edit_.startIndex(), placed);
            }
        }
    }
    edit_.finish();
    Redraw();
}

void CTransparentListBox::wheelEvent(QWheelEvent* event) {
    EndEdit(true);
    QListWidget::wheelEvent(event);
    Redraw();
    event->accept();
}

void CTransparentListBox::scrollContentsBy(int dx, int dy) {
    if (editor_ != nullptr) {
        setFocus(Qt::OtherFocusReason);
        EndEdit(true);
    }
    QListWidget::scrollContentsBy(dx, dy);
    Redraw();
}

void CTransparentListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    EndEdit(true);
    snapshotValid_ = false;
    Redraw();
}

void CTransparentListBox::moveEvent(QMoveEvent* event) {
    QListWidget::moveEvent(event);
    snapshotValid_ = false;
    Redraw();
}

}  // namespace orvane
