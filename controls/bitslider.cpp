#include "controls/bitslider.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/slidergeometry.h"

namespace orvane {
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
    // The same geometry the main window draws the face with, so the picture
    // and the clicks agree.
    const SliderRect q = trackThumbRect(width(), height(), sliderPosition(), minimum(), maximum());
    const ThumbPlacement placed = orvane::placeThumb(thumbWidth_, q, thumbInset_);
    thumbX_ = placed.thumbX;
    thumbY_ = placed.thumbY;
    if (sliderMoved_) sliderMoved_(reportId_);
}

int CBitSlider::positionForClick(int x) const {
    return positionAtClick(x, 0, sliderChannel(width(), height()), minimum(), maximum());
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
