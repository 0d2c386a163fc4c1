#include "controls/bitwnd.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace orvane {

CBitItem::CBitItem(QImage image, int itemWidth, int itemHeight) : image_(std::move(image)) {
    const int w = std::max(1, image_.width());
    const int h = std::max(1, image_.height());
    itemWidth_ = itemWidth > 0 ? itemWidth : w;
    itemHeight_ = itemHeight > 0 ? itemHeight : h;
    vertical_ = image_.width() < image_.height();
    count_ = std::max(1, vertical_ ? h / itemHeight_ : w / itemWidth_);
}

QRect CBitItem::itemRect(int n) const {
    n = std::clamp(n, 0, count_ - 1);
    if (vertical_) return QRect(0, n * itemHeight_, itemWidth_, itemHeight_);
    return QRect(n * itemWidth_, 0, itemWidth_, itemHeight_);
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
    state_ = strip_ && strip_->count() > 1 ? Hover : Normal;
    update();
}

void CBitWnd::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    state_ = Normal;
    update();
}

void CBitWnd::mouseMoveEvent(QMouseEvent* event) {
    forward(event);
}

void CBitWnd::mousePressEvent(QMouseEvent* event) {
    state_ = strip_ && strip_->count() >= 3 ? Pressed : Normal;
    update();
    forward(event);
}

void CBitWnd::mouseReleaseEvent(QMouseEvent* event) {
    state_ = strip_ && strip_->count() > 1 ? Hover : Normal;
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
