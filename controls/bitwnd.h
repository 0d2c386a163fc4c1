// A child window that shows one item of an image strip by pointer state
// (normal, hover, pressed) and can pass its mouse input on to its parent.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "controls/model/bititemgeometry.h"

namespace orvane {

// One image cut into equal items side by side, or stacked when it is taller than wide.
class CBitItem {
public:
    // An item size of 0 means the whole image's width or height.
    CBitItem(QImage image, int itemWidth, int itemHeight);

    int count() const { return count_; }
    bool vertical() const { return vertical_; }
    int itemWidth() const { return itemWidth_; }
    int itemHeight() const { return itemHeight_; }
    int bitmapWidth() const { return image_.width(); }
    int bitmapHeight() const { return image_.height(); }
    QRect itemRect(int n) const;
    const QImage& image() const { return image_; }

private:
    QImage image_;
    int itemWidth_;
    int itemHeight_;
    bool vertical_;
    int count_;
    BitItemGeometry geometry_;
};

class CBitWnd : public QWidget {
    Q_OBJECT
public:
    enum State { Normal = 0, Hover = 1, Pressed = 2 };

    explicit CBitWnd(QWidget* parent = nullptr);

    // Takes the strip and sizes the window to one item at (0, 0).
    void LoadStateImages(QImage image, int itemWidth, int itemHeight);
    void setForwardMouse(bool forward) { forwardMouse_ = forward; }
    int state() const { return state_; }
    const CBitItem* strip() const { return strip_.get(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void forward(QMouseEvent* event);

    std::unique_ptr<CBitItem> strip_;
    int state_ = Normal;
    bool forwardMouse_ = false;
};

}  // namespace orvane
