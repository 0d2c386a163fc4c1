#include "controls/bitslider.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/model/slidergeometry.h"

namespace orvane {
CBitSlider::CBitSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setSingleStep(1);
    setPageStep(1);
    // A click gives it the keyboard: arrows and Page Up/Down then step it.
    setFocusPolicy(Qt::ClickFocus);
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
    emit thumbPlaced(reportId_);
}

int CBitSlider::positionForClick(int x) const {
    return positionAtClick(x, 0, sliderChannel(width(), height()), minimum(), maximum());
}

void CBitSlider::paintEvent(QPaintEvent*) {
    placeThumb();
}

// The platform slider never sees the press: away from its handle it would
// start a page-step repeat that runs past the click point for as long as the
// button is held. The press puts the thumb where the pointer is and a drag
// follows the pointer, both by the geometry the face is drawn with. What the
// slider does not use goes on to the main window, as before.
void CBitSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    dragging_ = true;
    setSliderDown(true);
    followPointer(event->position().toPoint().x());
}

void CBitSlider::mouseMoveEvent(QMouseEvent* event) {
    placeThumb();
    if (!dragging_) {
        event->ignore();
        return;
    }
    event->accept();
    if ((event->buttons() & Qt::LeftButton) != 0) followPointer(event->position().toPoint().x());
}

void CBitSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        event->ignore();
        return;
    }
    event->accept();
    dragging_ = false;
    setSliderDown(false);
}

void CBitSlider::followPointer(int x) {
    setSliderPosition(positionForClick(x));
}

void CBitSlider::wheelEvent(QWheelEvent* event) {
    event->accept();  // the wheel never moves the slider
}

}  // namespace orvane
