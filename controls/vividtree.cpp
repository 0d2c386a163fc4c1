#include "controls/vividtree.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTreeWidgetItemIterator>

#include "drawing/resourceimages.h"

namespace orvane {

namespace {

QColor colour(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb) | 0xFF000000u);
}

QRect qrect(const TreeRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

std::optional<TreeScrollInfo> scrollInfo(const QScrollBar* bar) {
    if (bar == nullptr || bar->maximum() <= bar->minimum()) return std::nullopt;
    // As the platform tree reports it: the maximum is the last pixel (or item)
    // of the content, not the last scroll position.
    return TreeScrollInfo{bar->minimum(), bar->maximum() + bar->pageStep() - 1, bar->value()};
}

}  // namespace

VividTree::VividTree(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    header()->setStretchLastSection(true);
    setRootIsDecorated(true);
    setIndentation(19);
    setUniformRowHeights(true);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // The marks are ours: only a click on a drawn mark expands or collapses.
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    connect(this, &QTreeWidget::itemExpanded, this, &VividTree::onExpanding);
    connect(this, &QTreeWidget::itemCollapsed, this, &VividTree::onExpanding);
}

VividTree::~VividTree() = default;

void VividTree::SetBackgroundBitmap(int resourceId) {
    m_bmpBackground = resourceImage(resourceId);
    m_bmpCollapsed = resourceImage(kBitmapTreeCollapsed);
    m_bmpExpanded = resourceImage(kBitmapTreeExpanded);
    Q_ASSERT(!m_bmpBackground.isNull() && !m_bmpCollapsed.isNull() && !m_bmpExpanded.isNull());
    viewport()->update();
}

void VividTree::SetGradient(QColor start, QColor end, bool horizontal) {
    m_gradientStart = start;
    m_gradientEnd = end;
    m_bGradientHorz = horizontal;
    viewport()->update();
}

TreeOrigins VividTree::origins() const {
    const QRect client = viewport()->rect();
    const int itemHeight = topLevelItemCount() > 0 ? visualItemRect(topLevelItem(0)).height() : 0;
    return treeOrigins({client.left(), client.top(), client.right() + 1, client.bottom() + 1},
                       scrollInfo(horizontalScrollBar()), scrollInfo(verticalScrollBar()), itemHeight);
}

std::vector<VividTree::VisibleRow> VividTree::visibleRows() const {
    std::vector<VisibleRow> rows;
    const TreeOrigins o = origins();
    const QRect client = viewport()->rect();
    const QFontMetrics metrics(font());
    for (QTreeWidgetItemIterator it(const_cast<VividTree*>(this)); *it != nullptr; ++it) {
        QTreeWidgetItem* item = *it;
        const QRect cell = visualItemRect(item);
        // Items inside a collapsed group and items scrolled away are not drawn.
        if (cell.isEmpty() || !cell.intersects(client)) continue;
        TreeRowInput input;
        const int textWidth = metrics.horizontalAdvance(item->text(0)) + 4;
        input.textRect = {cell.left(), cell.top(), cell.left() + textWidth, cell.bottom() + 1};
        input.selected = item->isSelected();
        input.hasChildren = item->childCount() > 0;
        input.expanded = item->isExpanded();
        rows.push_back({item, input, layoutTreeRow(input, hasFocus(), false, o)});
    }
    return rows;
}

void VividTree::drawBackground(QPainter& p, const TreeOrigins& o) const {
    const QRect client = viewport()->rect();
    const TreeBackgroundPlan plan =
        treeBackground(m_iBackgroundMode, !m_bmpBackground.isNull(), m_bTile, m_bmpBackground.width(),
                       m_bmpBackground.height(), {0, 0, client.width(), client.height()}, o);
    switch (plan.kind) {
        case TreeBackgroundKind::Tiled:
            for (int r = 0; r < plan.rows; ++r) {
                for (int c = 0; c < plan.columns; ++c) {
                    p.drawImage(plan.area.left + c * m_bmpBackground.width(),
                                plan.area.top + r * m_bmpBackground.height(), m_bmpBackground);
                }
            }
            break;
        case TreeBackgroundKind::Stretched: p.drawImage(qrect(plan.area), m_bmpBackground); break;
        case TreeBackgroundKind::Gradient: {
            const TreeRect& a = plan.area;
            QLinearGradient g(a.left, a.top, m_bGradientHorz ? a.right : a.left, m_bGradientHorz ? a.top : a.bottom);
            g.setColorAt(0, m_gradientStart);
            g.setColorAt(1, m_gradientEnd);
            p.fillRect(qrect(a), g);
            break;
        }
        case TreeBackgroundKind::Solid: p.fillRect(qrect(plan.area), colour(kTreeSolidColour)); break;
        case TreeBackgroundKind::None: Q_ASSERT(false); break;
    }
}

QImage VividTree::compose() const {
    QImage image(viewport()->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setFont(font());
    drawBackground(p, origins());
    p.setPen(Qt::white);
    for (const VisibleRow& row : visibleRows()) {
        const TreeRowLayout& l = row.layout;
        if (l.highlighted) p.fillRect(qrect(l.band), colour(kTreeHighlightColour));
        if (l.mark != TreeMark::None) {
            p.drawImage(l.markRect.left, l.markRect.top, l.mark == TreeMark::Expanded ? m_bmpExpanded : m_bmpCollapsed);
        }
        p.drawText(qrect(l.text), Qt::AlignLeft | Qt::AlignTop, row.item->text(0));
    }
    return image;
}

void VividTree::paintEvent(QPaintEvent*) {
    const QImage image = compose();
    QPainter p(viewport());
    p.drawImage(0, 0, image);
}

TreeHit VividTree::hitAt(const QPoint& pos, std::vector<VisibleRow>& rows) const {
    rows = visibleRows();
    std::vector<TreeRowLayout> layouts;
    std::vector<TreeRowInput> inputs;
    for (const VisibleRow& r : rows) {
        layouts.push_back(r.layout);
        inputs.push_back(r.input);
    }
    return hitTestTree(layouts, inputs, pos.x(), pos.y());
}

void VividTree::mousePressEvent(QMouseEvent* event) {
    std::vector<VisibleRow> rows;
    const TreeHit hit = hitAt(event->position().toPoint(), rows);
    if (event->button() == Qt::LeftButton && hit.onMark) {
        QTreeWidgetItem* item = rows[static_cast<std::size_t>(hit.row)].item;
        item->setExpanded(!item->isExpanded());
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void VividTree::mouseDoubleClickEvent(QMouseEvent* event) {
    std::vector<VisibleRow> rows;
    const TreeHit hit = hitAt(event->position().toPoint(), rows);
    // A double click on a group, or a second click on its mark, toggles it again.
    if (event->button() == Qt::LeftButton && hit.row >= 0) {
        QTreeWidgetItem* item = rows[static_cast<std::size_t>(hit.row)].item;
        if (item->childCount() > 0) item->setExpanded(!item->isExpanded());
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void VividTree::onExpanding(QTreeWidgetItem* item) {
    // A bitmap background is redrawn as one piece when the rows move under it.
    if (m_iBackgroundMode == kTreeBackgroundBitmap && !visualItemRect(item).isEmpty()) viewport()->update();
}

}  // namespace orvane
