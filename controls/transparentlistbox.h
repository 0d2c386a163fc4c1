// An owner-drawn single-selection list that paints its items over a snapshot
// of a background (the parent's own pixels in mode 3, bitmap 145 otherwise),
// draws shadowed text, shows press / release / delay icons in mode 1 and edits
// an item in place on a double click. The parent hears of edits through the
// list's signals, delivered at once, while the list still knows its item.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QListWidget>
#include <QPointer>
#include <cstdint>

#include "controls/edithelper.h"
#include "controls/model/listboxedit.h"

namespace orvane {

class CTransparentListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CTransparentListBox(QWidget* parent = nullptr);
    ~CTransparentListBox() override;

    // Own font of `height` pixels (its cell: ascent + descent), bold, and the
    // colours of text, selected text and shadow.
    void SetFont(int height, const QString& face, QColor text, QColor selected, bool shadow,
                 int shadowOffset, QColor shadowColour);
    // The own font once set, else the widget's font.
    QFont GetFont() const;
    void SetMode(ListBoxMode mode);
    ListBoxMode mode() const { return edit_.mode(); }
    // Emits itemTextChanged after a changed edit (the notify style); on by default.
    void SetNotify(bool notify) { notify_ = notify; }
    // Keeps the items sorted (an edited item moves to its sorted place).
    void SetSorted(bool sorted);
    // Longest text the in-place editor accepts; 0 for no limit.
    void SetEditLimit(int characters) { editLimit_ = characters; }

    int AddString(const QString& text, std::uintptr_t data = 0);
    int InsertString(int index, const QString& text, std::uintptr_t data = 0);
    QString GetText(int index) const;
    void SetText(int index, const QString& text);
    std::uintptr_t GetItemData(int index) const;
    // The selected item, -1 for none; setting -1 clears the selection.
    int GetCurSel() const;
    void SetCurSel(int index);
    int itemHeight() const { return rowHeight_; }
    // The rectangle an item is drawn in, in viewport coordinates.
    QRect itemRectangle(int index) const;

    // Ends a running edit; keep stores the typed text (the editor's finished calls it).
    void EndEdit(bool keep);
    bool editing() const { return editor_ != nullptr; }
    int itemBeingEdited() const { return edit_.itemBeingEdited(); }
    CEditHelper* editor() const { return editor_; }

    // Repaints the whole list now.
    void Redraw();
    // The snapshot is taken again before the next paint (the background changed).
    void invalidateBackground() { snapshotValid_ = false; }

signals:
    // The person changed the selection (click, drag or key); changes made
    // by the program do not count, as a list box notifies only the former.
    void userSelectionChanged(int index);
    // An in-place edit is about to begin.
    void editBegins();
    // A kept edit: in delay-value mode `index` is the item and `value` the
    // delay typed; in parent-background mode `index` is where the edited item
    // was and `value` where it is now.
    void editResult(int index, int value);
    // A kept edit changed an item's text; `row` is where it is now, `oldText` what it said.
    void itemTextChanged(int row, const QString& oldText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

    // Paints item `index` into `rect`; painting reads the list, never changes it.
    void DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const;

private:
    void takeSnapshot();
    void beginEdit(int index);
    template <typename Handler>
    void noticingSelection(Handler handler);

    ListBoxEdit edit_;
    QPointer<CEditHelper> editor_;
    QFont font_;
    bool ownFont_ = false;
    int rowHeight_ = 16;
    QColor textColour_;
    QColor selectedColour_;
    QColor shadowColour_ = Qt::black;
    bool shadow_ = false;
    int shadowOffset_ = 3;
    bool notify_ = true;
    int editLimit_ = 0;
    QImage snapshot_;
    bool snapshotValid_ = false;
};

}  // namespace orvane
