#include "mainwindow/sliderface.h"

#include <QRect>

#include <algorithm>

#include "controls/slidergeometry.h"
#include "drawing/resourceimages.h"
#include "drawing/skincanvas.h"
#include "settings/settingsimage.h"

namespace orvane {

SliderKind sliderKindOfId(int id) {
    if (id == kSpeedSliderId) return SliderKind::Speed;
    if (id == kBrightnessSliderId) return SliderKind::Brightness;
    return SliderKind::ReportRate;
}

void DrawSliderFace(SkinCanvas& canvas, SettingsImage& image, MainWindowState& state, int id) {
    const SliderKind kind = sliderKindOfId(id);
    SliderFace& face = state.slider(kind);
    // The track keeps its position within the range; so does the settings field.
    const int position = std::clamp(face.position, face.minimum, std::max(face.minimum, face.maximum));
    face.position = position;

    MouseData& data = image.working.mouseData;
    const auto value = static_cast<std::uint8_t>(std::clamp(position, 0, 255));
    switch (kind) {
    case SliderKind::Speed: data.ledEffect.LEDEffectSpeed = value; break;
    case SliderKind::Brightness: data.ledEffect.LEDEffectBrightness = value; break;
    case SliderKind::ReportRate: data.ReportRate = value; break;
    }

    // Placed from the position being drawn, so the thumb never lags a drag.
    const ThumbPlacement t = placeThumbAt(face.width, face.height, position, face.minimum,
                                          face.maximum, face.thumbY);
    face.thumbX = t.thumbX;
    face.thumbY = t.thumbY;
    int x = t.thumbX;
    if (kind == SliderKind::ReportRate && position == 0) x += 2;
    x = std::clamp(x, 0, face.width);

    canvas.DrawImagePart(resourceImage(kBitmapChannelFull), QRect(0, 0, x, face.height), face.x,
                         face.y);
    canvas.DrawImagePart(resourceImage(kBitmapChannelEmpty),
                         QRect(x, 0, face.width - x, face.height), face.x + x, face.y);
    canvas.DrawSkinImagePart(u"Thumb.png", QRect(0, 0, kThumbPictureWidth, kThumbPictureHeight),
                             face.x + x, face.y + t.thumbY + 1);
}

void setSlidersFromSettings(MainWindowState& state, const SettingsImage& image) {
    const MouseData& d = image.working.mouseData;
    const auto set = [&state](SliderKind kind, int value) {
        SliderFace& f = state.slider(kind);
        f.position = std::clamp(value, f.minimum, std::max(f.minimum, f.maximum));
    };
    set(SliderKind::Speed, d.ledEffect.LEDEffectSpeed);
    set(SliderKind::Brightness, d.ledEffect.LEDEffectBrightness);
    set(SliderKind::ReportRate, d.ReportRate);
}

bool SliderMoved(SkinCanvas& canvas, SettingsImage& image, MainWindowState& state, int id) {
    const auto k = static_cast<std::size_t>(sliderKindOfId(id));
    if (state.sliders[k].position == state.LastSliderPos[k]) return false;
    DrawSliderFace(canvas, image, state, id);
    state.LastSliderPos[k] = state.sliders[k].position;
    return true;
}

}  // namespace orvane
