#include "mainwindow/model/displayrules.h"

#include <algorithm>

#include "controls/model/slidergeometry.h"
#include "keyboardstate/keytables.h"
#include "keyboardstate/effecttable.h"
#include "mainwindow/model/sectionlayout.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

namespace {

void settleWindowsKeyFlag(SettingsImage& image, const MainWindowState& state) {
    const std::uint8_t mode = image.working.mouseData.ledEffect.LEDEffectMode;
    // Shown either as a highlight or, in the per-key colour view, as its colour.
    if (!state.DiyColorMode || keyColorTableOf(mode)) image.modifiedKeyFlags[kLeftWindowsPosition] = 0;
}

void settleSwatch(LedEffect& led) {
    if (led.LEDEffectColor > 8) led.LEDEffectColor = 8;
    if (led.LEDEffectColor == 0) led.LEDEffectColor = 1;
    if (isGreySwatchEffect(led.LEDEffectMode)) led.LEDEffectColor = 8;
}

void settleLightingSection(SettingsImage& image, MainWindowState& state) {
    SliderFace& speed = state.slider(SliderKind::Speed);
    SliderFace& brightness = state.slider(SliderKind::Brightness);
    LedEffect& led = image.working.mouseData.ledEffect;
    if (state.LightingCollapsed) {
        speed.visible = false;
        brightness.visible = false;
        return;
    }
    if (led.LEDEffectMode == 1 || led.LEDEffectMode >= 50) {
        speed.visible = false;
    } else {
        settleSlider(image, state, SliderKind::Speed);
        if (!state.EffectListOpen) speed.visible = true;
    }
    brightness.visible = !state.EffectListOpen;
    if (brightness.visible) settleSlider(image, state, SliderKind::Brightness);
    if (led.LEDEffectMode < kFirstKeyColorEffect) settleSwatch(led);
}

void settleReportRateSection(SettingsImage& image, MainWindowState& state) {
    SliderFace& slider = state.slider(SliderKind::ReportRate);
    if (state.ReportRateCollapsed) {
        slider.visible = false;
        return;
    }
    const int yP = computeSectionLayout(state).yP;
    if (yP != state.reportSliderPlacedAt) {
        // Moved with its section; new channel images restore its 220 x 17 size.
        slider.x = kReportSliderX;
        slider.y = yP + kReportSliderBelowTop;
        slider.width = 220;
        slider.height = 17;
        state.reportSliderPlacedAt = yP;
    }
    slider.id = kReportRateSliderId;
    settleSlider(image, state, SliderKind::ReportRate);
    slider.visible = true;
}

}  // namespace

SliderKind sliderKindOfId(int id) {
    if (id == kSpeedSliderId) return SliderKind::Speed;
    if (id == kBrightnessSliderId) return SliderKind::Brightness;
    return SliderKind::ReportRate;
}

void settleSlider(SettingsImage& image, MainWindowState& state, SliderKind kind) {
    SliderFace& face = state.slider(kind);
    // The track keeps its position within the range; so does the settings field.
    face.position = std::clamp(face.position, face.minimum, std::max(face.minimum, face.maximum));
    MouseData& data = image.working.mouseData;
    const auto value = static_cast<std::uint8_t>(std::clamp(face.position, 0, 255));
    switch (kind) {
    case SliderKind::Speed: data.ledEffect.LEDEffectSpeed = value; break;
    case SliderKind::Brightness: data.ledEffect.LEDEffectBrightness = value; break;
    case SliderKind::ReportRate: data.ReportRate = value; break;
    }
    const ThumbPlacement t = placeThumbAt(face.width, face.height, face.position, face.minimum,
                                          face.maximum, face.thumbY);
    face.thumbX = t.thumbX;
    face.thumbY = t.thumbY;
}

void settleMainWindow(SettingsImage& image, MainWindowState& state) {
    settleWindowsKeyFlag(image, state);
    settleLightingSection(image, state);
    settleReportRateSection(image, state);
    // Lists drawn over the sliders hide them, so they cannot take the list's clicks.
    if (state.EffectListOpen || state.Popup_ResponseTime) {
        state.slider(SliderKind::Speed).visible = false;
        state.slider(SliderKind::Brightness).visible = false;
    }
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

}  // namespace orvane
