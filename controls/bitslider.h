// A slider that draws nothing itself: the platform control keeps the range,
// the position and the keyboard steps, the slider follows the pointer itself,
// and the main window draws the channel and thumb into its own composed
// picture when told the slider moved.
#pragma once

#include <QSlider>

namespace orvane {

class CBitSlider : public QSlider {
    Q_OBJECT
public:
    explicit CBitSlider(QWidget* parent = nullptr);

    // The id thumbPlaced carries.
    void SetReportId(int id) { reportId_ = id; }
    int reportId() const { return reportId_; }
    void SetThumbInset(int inset) { thumbInset_ = inset; }
    // The thumb picture's size (15 × 14) and the channel size the slider takes (220 × 17).
    void LoadThumbImage(int width, int height);
    void LoadChannelImages(int width, int height);

    int ThumbX() const { return thumbX_; }
    int ThumbY() const { return thumbY_; }

    // Where a press at x (slider coordinates) puts the slider: halfway
    // between two positions goes to the higher one.
    int positionForClick(int x) const;

signals:
    // Whenever the thumb is placed, with the report id.
    void thumbPlaced(int reportId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void placeThumb();
    void followPointer(int x);

    int reportId_ = 0;
    int thumbInset_ = 0;
    int thumbWidth_ = 15;
    int thumbHeight_ = 14;
    int thumbX_ = 0;
    int thumbY_ = 0;
    bool dragging_ = false;
};

}  // namespace orvane
