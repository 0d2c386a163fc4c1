// A tree that keeps the platform tree's items, selection and scrolling but
// draws itself completely: a bitmap, gradient or solid background, 9 x 9
// expand and collapse marks, a highlight bar behind the selected item and
// white item texts, composed off screen and copied in one step.
#pragma once

#include <QColor>
#include <QImage>
#include <QTreeWidget>
#include <vector>

#include "controls/model/vividtreelayout.h"

namespace orvane {

class VividTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit VividTree(QWidget* parent = nullptr);
    ~VividTree() override;

    // Takes the program's bitmap of that number as the background bitmap and
    // reloads the two marks (bitmaps 133 and 134).
    void SetBackgroundBitmap(int resourceId);
    void SetBackgroundMode(int mode) { m_iBackgroundMode = mode; viewport()->update(); }
    int GetBackgroundMode() const { return m_iBackgroundMode; }
    void SetTileBitmap(bool tile) { m_bTile = tile; }
    void SetGradient(QColor start, QColor end, bool horizontal);

    // The picture a paint copies to the screen, composed without showing it.
    QImage compose() const;

    struct VisibleRow {
        QTreeWidgetItem* item;
        TreeRowInput input;
        TreeRowLayout layout;
    };
    // The visible items from the first one on, laid out as a paint draws them.
    std::vector<VisibleRow> visibleRows() const;
    TreeOrigins origins() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void drawBackground(QPainter& p, const TreeOrigins& o) const;
    TreeHit hitAt(const QPoint& pos, std::vector<VisibleRow>& rows) const;
    void onExpanding(QTreeWidgetItem* item);

    QImage m_bmpCollapsed;
    QImage m_bmpExpanded;
    QColor m_gradientStart{255, 255, 255};
    QColor m_gradientEnd{213, 213, 224};
    bool m_bGradientHorz = true;
    int m_iBackgroundMode = kTreeBackgroundGradient;
    QImage m_bmpBackground;
    bool m_bTile = false;
};

}  // namespace orvane
