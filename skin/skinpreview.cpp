// Renders the composed main window in a few typical states to PNG files, so
// the skin can be looked at without starting the utility:
//   orvane_skinpreview <data folder> <output folder>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <memory>

#include "keyboardstate/keytables.h"
#include "mainwindow/model/mainwindowstate.h"
#include "mainwindow/model/displayrules.h"
#include "mainwindow/view/paintall.h"
#include "drawing/skinimages.h"
#include "mainwindow/view/sliderface.h"
#include "keyboardstate/settingsimage.h"

using namespace orvane;

namespace {

void sampleSettings(SettingsImage& image) {
    MouseData& d = image.working.mouseData;
    d.ledEffect = {1, 4, 30, 2, 1};
    const std::uint8_t palette[7][3] = {{255, 0, 0}, {255, 128, 0}, {255, 255, 0}, {0, 255, 0},
                                        {0, 200, 255}, {0, 0, 255}, {200, 0, 255}};
    for (std::size_t i = 0; i < 7; ++i)
        for (std::size_t c = 0; c < 3; ++c) paletteColor(d, i)[c] = palette[i][c];
    d.ResponseTime = 4;
    d.ReportRate = 3;
    d.GameMode = 1;
    // A rainbow over the first per-key table, white on the space bar.
    auto table = keyColorTable(d, 0);
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const std::size_t e = KeyPositionEntryMap[p];
        const int hue = static_cast<int>(p * 7 % 360);
        const QColor c = QColor::fromHsv(hue, 230, 255);
        table[e + 1] = static_cast<std::uint8_t>(c.red());
        table[e + 2] = static_cast<std::uint8_t>(c.green());
        table[e + 3] = static_cast<std::uint8_t>(c.blue());
    }
    const std::size_t space = KeyPositionEntryMap[98];
    table[space + 1] = table[space + 2] = table[space + 3] = 255;
    image.modifiedKeyFlags[42] = image.modifiedKeyFlags[66] = 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <data folder> <output folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString data = QString::fromLocal8Bit(argv[1]) + "/";
    const QString out = QString::fromLocal8Bit(argv[2]) + "/";
    QDir().mkpath(out);

    struct Scene {
        const char* name;
        std::int16_t language;
        std::function<void(SettingsImage&, MainWindowState&)> set;
    };
    const Scene scenes[] = {
        {"collapsed", 9, [](SettingsImage&, MainWindowState& s) { s.SelectedKeyPosition = 45; }},
        {"wave", 9,
         [](SettingsImage& i, MainWindowState& s) {
             i.working.mouseData.ledEffect.LEDEffectMode = 3;
             s.LightingCollapsed = false;
             s.GameModeCollapsed = false;
             s.ReportRateCollapsed = false;
         }},
        {"static", 9,
         [](SettingsImage&, MainWindowState& s) {
             s.LightingCollapsed = false;
             s.ResponseTimeCollapsed = false;
             s.ReportRateCollapsed = false;
         }},
        {"diy", 9,
         [](SettingsImage& i, MainWindowState& s) {
             i.working.mouseData.ledEffect.LEDEffectMode = 51;
             s.LightingCollapsed = false;
             s.DiyColorMode = true;
             s.SelectedKeyPosition = 63;
         }},
        {"effectlist", 9,
         [](SettingsImage& i, MainWindowState& s) {
             i.working.mouseData.ledEffect.LEDEffectMode = 2;
             s.LightingCollapsed = false;
             s.EffectListOpen = true;
             s.SelectedEffectItem = 4;
         }},
        {"responselist", 9,
         [](SettingsImage&, MainWindowState& s) {
             s.ResponseTimeCollapsed = false;
             s.Popup_ResponseTime = true;
             s.SelectedResponseTimeItem = 3;
             s.HelpWindowOpen = false;
         }},
        {"help", 9, [](SettingsImage&, MainWindowState& s) { s.HelpWindowOpen = true; }},
        {"chinese-radar", 4,
         [](SettingsImage& i, MainWindowState& s) {
             i.working.mouseData.ledEffect.LEDEffectMode = 13;
             s.LightingCollapsed = false;
             s.GameModeCollapsed = false;
             s.ResponseTimeCollapsed = false;
             s.ReportRateCollapsed = false;
         }},
        {"chinese-collapsed", 4, [](SettingsImage&, MainWindowState& s) { s.HelpWindowOpen = true; }},
    };

    int failures = 0;
    for (const Scene& scene : scenes) {
        auto image = std::make_unique<SettingsImage>();
        image->languageCode = scene.language;
        sampleSettings(*image);
        MainWindowState state;
        scene.set(*image, state);
        // As the window does after reading the keyboard: sliders from the settings.
        setSlidersFromSettings(state, *image);
        SkinImages skin(SkinImages::skinFolder(data, scene.language));
        QImage canvas;
        settleMainWindow(*image, state);
        PaintAll(canvas, *image, state, skin, QStringLiteral("www.orvane.example"));
        if (!canvas.save(out + scene.name + ".png")) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
