#include "drawing/sliderface.h"

#include <QRect>

#include <algorithm>

#include "drawing/resourceimages.h"
#include "drawing/skincanvas.h"

namespace orvane {

void DrawSliderFace(SkinCanvas& canvas, const SliderFace& face, int thumbShift) {
    const int x = std::clamp(face.thumbX + thumbShift, 0, face.width);
    canvas.DrawImagePart(resourceImage(kBitmapChannelFull), QRect(0, 0, x, face.height), face.x,
                         face.y);
    canvas.DrawImagePart(resourceImage(kBitmapChannelEmpty),
                         QRect(x, 0, face.width - x, face.height), face.x + x, face.y);
    canvas.DrawSkinImagePart(u"Thumb.png", QRect(0, 0, kThumbPictureWidth, kThumbPictureHeight),
                             face.x + x, face.y + face.thumbY + 1);
}

}  // namespace orvane
