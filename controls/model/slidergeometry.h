// Window-free geometry of the bitmap slider: where the track's channel lies,
// where its thumb sits for a position, where the thumb picture is drawn, and
// which position a click selects. The slider widget and the main window's
// painting both use these, so what is drawn and what a click does agree.
#pragma once

namespace orvane {

// The visible thumb picture ("Thumb.png", bitmap resource 141).
inline constexpr int kThumbPictureWidth = 15;
inline constexpr int kThumbPictureHeight = 14;

// The track's own (never drawn) thumb rectangle is this narrow so that the
// picture, placed by the "(P - Q) / 2 + Q.left - 10" rule, is centred on the
// channel point of its position.
inline constexpr int kTrackThumbWidth = 4;

struct SliderRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// The channel along which the thumb's centre travels, in slider client
// coordinates: inset so that the picture stays inside the slider at both ends.
SliderRect sliderChannel(int sliderWidth, int sliderHeight);

// Channel offset of a position, rounded half up; positions outside the range
// are held at its ends, and an empty range gives 0.
int channelOffset(int position, int minimum, int maximum, int channelLength);

// The track's thumb rectangle Q for a position.
SliderRect trackThumbRect(int sliderWidth, int sliderHeight, int position, int minimum,
                          int maximum);

struct ThumbPlacement {
    int thumbX = 0;  // relative to the slider's left edge
    int thumbY = 0;  // relative to its top edge
};

// Thumb placement of a horizontal slider: left = (width(P) - width(Q)) / 2 +
// Q.left (truncating), ThumbX = left - 10, ThumbY = the thumb inset.
ThumbPlacement placeThumb(int pictureWidth, const SliderRect& trackThumb, int thumbInset);

// The thumb placement of a slider of this size at this position.
ThumbPlacement placeThumbAt(int sliderWidth, int sliderHeight, int position, int minimum,
                            int maximum, int thumbInset = 0);

// The position a left-button press at client x selects: (max - min) * d / w
// with d = x - clientLeft - channel.left and w the channel's length, rounded
// half up, then held within the range.
int positionAtClick(int x, int clientLeft, const SliderRect& channel, int minimum, int maximum);

// What painting needs to know of one slider; the display rules and the slider widget keep it current.
struct SliderFace {
    int id = 0;
    int x = 0, y = 0;            // window rectangle in main-window client coordinates
    int width = 220, height = 17;
    int position = 0;
    int minimum = 0, maximum = 0;
    int thumbX = 0, thumbY = 0;  // thumb picture relative to the slider's left and top
    bool visible = false;
};

}  // namespace orvane
