#include "controls/bitslider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

namespace orvane {
namespace {

QRect styleRect(const QSlider& slider, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.singleStep = slider.singleStep();
    option.pageStep = slider.pageStep();
    option.upsideDown = slider.invertedAppearance();
    return slider.style()->subControlRect(QStyle::CC_Slider, &option, part, &slider);
}

}  // namespace

CBitSlider::CBitSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    // The main window paints what lies under the slider; the slider paints nothing.
    setAttribute(Qt::WA_NoSystemBackground);
}

void CBitSlider::LoadThumbImage(int width, int height) {
    thumbWidth_ = width;
    thumbHeight_ = height;
}

void CBitSlider::LoadChannelImages(int width, int height) {
    resize(width, height);
}

void CBitSlider::placeThumb() {
    const QRect q = styleRect(*this, QStyle::SC_SliderHandle);
    int left = 0;
    int top = 0;
    if (orientation() == Qt::Horizontal) {
        left = (thumbWidth_ - q.width()) / 2 + q.left();
        top = thumbInset_;
    } else {
        top = (thumbHeight_ - q.height()) / 2 + q.top();
        left = thumbInset_;
    }
    thumbX_ = left - 10;
    thumbY_ = top;
    if (sliderMoved_) sliderMoved_(reportId_);
}

int CBitSlider::positionForClick(int x) const {
    const QRect h = styleRect(*this, QStyle::SC_SliderGroove);
    const int d = x - h.left();
    const int w = h.right() - h.left();
    if (w <= 0) return sliderPosition();
    const int span = maximum() - minimum();
    int p = span * d / w;
    // Round half up: compare twice the remainder with the divisor.
    const int remainder = span * d - p * w;
    if (d >= 0 && 2 * remainder >= w) ++p;
    return p + minimum();
}

void CBitSlider::paintEvent(QPaintEvent*) {
    placeThumb();
}

void CBitSlider::mousePressEvent(QMouseEvent* event) {
    QSlider::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        setValue(positionForClick(event->position().toPoint().x()));
    }
}

void CBitSlider::mouseMoveEvent(QMouseEvent* event) {
    placeThumb();
    QSlider::mouseMoveEvent(event);
}

void CBitSlider::wheelEvent(QWheelEvent* event) {
    event->accept();  // the wheel never moves the slider
}

}  // namespace orvane
