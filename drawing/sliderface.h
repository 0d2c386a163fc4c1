// The face of a bitmap slider drawn into a canvas: the full channel left of
// the thumb, the empty channel right of it, and the thumb picture, where the
// face's thumb placement says.
#pragma once

#include "controls/model/slidergeometry.h"

namespace orvane {

class SkinCanvas;

// thumbShift moves the drawn thumb (and the channel's split) right by that
// many pixels; the result is held inside the face.
void DrawSliderFace(SkinCanvas& canvas, const SliderFace& face, int thumbShift = 0);

}  // namespace orvane
