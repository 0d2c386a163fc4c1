#include "controls/model/slidergeometry.h"

#include <algorithm>

namespace orvane {

namespace {
// The picture's left edge sits this far left of its channel point.
constexpr int kPictureHalf = kThumbPictureWidth / 2;
}  // namespace

SliderRect sliderChannel(int sliderWidth, int sliderHeight) {
    // Left inset: the picture starts at the slider's edge at the lowest
    // position. Right inset: its last column is the slider's last column.
    const int left = kPictureHalf;
    const int right = std::max(left, sliderWidth - (kThumbPictureWidth - kPictureHalf));
    const int middle = sliderHeight / 2;
    return {left, middle - 2, right, middle + 2};
}

int channelOffset(int position, int minimum, int maximum, int channelLength) {
    if (maximum <= minimum || channelLength <= 0) return 0;
    const long long p = std::clamp(position, minimum, maximum) - static_cast<long long>(minimum);
    const long long range = static_cast<long long>(maximum) - minimum;
    return static_cast<int>((2 * p * channelLength + range) / (2 * range));
}

SliderRect trackThumbRect(int sliderWidth, int sliderHeight, int position, int minimum,
                          int maximum) {
    const SliderRect channel = sliderChannel(sliderWidth, sliderHeight);
    const int centre =
        channel.left + channelOffset(position, minimum, maximum, channel.width());
    const int left = centre - kTrackThumbWidth / 2;
    return {left, 0, left + kTrackThumbWidth, sliderHeight};
}

ThumbPlacement placeThumb(int pictureWidth, const SliderRect& trackThumb, int thumbInset) {
    // Integer division in C++ truncates toward zero, as the rule asks.
    const int left = (pictureWidth - trackThumb.width()) / 2 + trackThumb.left;
    return {left - 10, thumbInset};
}

ThumbPlacement placeThumbAt(int sliderWidth, int sliderHeight, int position, int minimum,
                            int maximum, int thumbInset) {
    return placeThumb(kThumbPictureWidth,
                      trackThumbRect(sliderWidth, sliderHeight, position, minimum, maximum),
                      thumbInset);
}

int positionAtClick(int x, int clientLeft, const SliderRect& channel, int minimum, int maximum) {
    if (maximum <= minimum) return minimum;
    const long long d = static_cast<long long>(x) - clientLeft - channel.left;
    const long long w = channel.width();
    if (w <= 0 || d <= 0) return minimum;
    const long long range = static_cast<long long>(maximum) - minimum;
    long long p = range * d / w;
    // Half or more of a step left over selects the next position: 2 * rest >= w.
    if (2 * (range * d - p * w) >= w) ++p;
    return static_cast<int>(std::min<long long>(minimum + p, maximum));
}

}  // namespace orvane
