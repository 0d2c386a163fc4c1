#include "mainwindow/view/sliderface.h"

#include "drawing/sliderface.h"
#include "mainwindow/model/displayrules.h"

namespace orvane {

void DrawSliderFace(SkinCanvas& canvas, const MainWindowState& state, int id) {
    const SliderKind kind = sliderKindOfId(id);
    const SliderFace& face = state.slider(kind);
    DrawSliderFace(canvas, face, kind == SliderKind::ReportRate && face.position == 0 ? 2 : 0);
}

}  // namespace orvane
