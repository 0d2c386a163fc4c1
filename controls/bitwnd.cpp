#include "controls/bitwnd.h"

#include "controls/model/bititemgeometry.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace orvane {

CBitItem::CBitItem(QImage image, int itemWidth, int itemHeight) : image_(std::move(image)) {
    // A missing or unusable image still gives one item of its whole size, so
    // a window built on it draws nothing rather than failing.
    const auto geometry =
        BitItemGeometry::make(image_.width(), image_.height(), itemWidth, itemHeight)
            .value_or(BitItemGeometry{image_.width(), image_.height(), std::max(1, image_.width()),
                                      std::max(1, image_.height()), false, 1});
    itemWidth_ = geometry.itemWidth;
    itemHeight_ = geometry.itemHeight;
    vertical_ = geometry.vertical;
    count_ = std::max(1, geometry.count);
    geometry_ = geometry;
}

QRect CBitItem::itemRect(int n) const {
    const ItemRect r = geometry_.itemRect(std::clamp(n, 0, count_ - 1));
    if (r.width() <= 0) return QRect(0, 0, itemWidth_, itemHeight_);
    return QRect(r.left, r.top, r.width(), r.height());
}

CBitWnd::CBitWnd(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void CBitWnd::LoadStateImages(QImage image, int itemWidth, int itemHeight) {
    strip_ = std::make_unique<CBitItem>(std::move(image), itemWidth, itemHeight);
    setGeometry(0, 0, strip_->itemWidth(), strip_->itemHeight());
    update();
}

void CBitWnd::paintEvent(QPaintEvent*) {
    if (!strip_) return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), strip_->image(), strip_->itemRect(state_));
}

void CBitWnd::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    state_ = bitWndStateOnHover(strip_ ? strip_->count() : 0, false);
    update();
}

void CBitWnd::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    state_ = bitWndStateOnLeave(strip_ ? strip_->count() : 0, false);
    update();
}

void CBitWnd::mouseMoveEvent(QMouseEvent* event) {
    forward(event);
}

void CBitWnd::mousePressEvent(QMouseEvent* event) {
    state_ = bitWndStateOnPress(strip_ ? strip_->count() : 0, false);
    update();
    forward(event);
}

void CBitWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (const auto next = bitWndStateOnRelease(strip_ ? strip_->count() : 0, false)) state_ = *next;
    update();
    emit clicked();
    forward(event);
}

void CBitWnd::forward(QMouseEvent* event) {
    if (!forwardMouse_ || parentWidget() == nullptr) return;
    const QPointF local = mapToParent(event->position());
    QMouseEvent copy(event->type(), local, event->globalPosition(), event->button(), event->buttons(),
                     event->modifiers());
    QApplication::sendEvent(parentWidget(), &copy);
}

}  // namespace orvane
