// PaintAll at the main window's size: the cached skin against the naive
// baseline that reads every picture from disk at every repaint.
//   orvane_paintall_bench [data folder]   (default: the program's own folder)
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "mainwindow/model/mainwindowstate.h"
#include "mainwindow/model/displayrules.h"
#include "mainwindow/view/paintall.h"
#include "drawing/skinimages.h"
#include "keyboardstate/settingsimage.h"

using namespace orvane;

namespace {

double medianMs(SkinImages& skin, SettingsImage& image, MainWindowState& state, int runs) {
    QImage canvas;
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        settleMainWindow(image, state);
        PaintAll(canvas, image, state, skin, QStringLiteral("www.orvane.example"));
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString data = argc > 1 ? QString::fromLocal8Bit(argv[1]) + "/"
                                  : QCoreApplication::applicationDirPath() + "/";

    auto image = std::make_unique<SettingsImage>();
    image->languageCode = kLanguageEnglish;
    image->working.mouseData.ledEffect = {3, 5, 30, 8, 1};
    image->working.mouseData.ResponseTime = 5;
    image->modifiedKeyFlags[42] = 1;
    // The busiest ordinary view: every section open, a key under the pointer.
    MainWindowState state;
    state.LightingCollapsed = state.GameModeCollapsed = false;
    state.ResponseTimeCollapsed = state.ReportRateCollapsed = false;
    state.SelectedKeyPosition = 45;

    SkinImages cached(SkinImages::skinFolder(data, kLanguageEnglish));
    SkinImages naive(SkinImages::skinFolder(data, kLanguageEnglish));
    naive.setCaching(false);
    if (cached.image(u"main.png").isNull()) {
        std::fprintf(stderr, "no skin under %s\n", qPrintable(cached.folder()));
        return 1;
    }
    medianMs(cached, *image, state, 20);  // warm fonts and the cache
    const double fast = medianMs(cached, *image, state, 400);
    const double slow = medianMs(naive, *image, state, 60);
    std::printf("PaintAll 1000x645, median of runs\n");
    std::printf("  cached skin:          %.3f ms\n", fast);
    std::printf("  reload every picture: %.3f ms\n", slow);
    std::printf("  ratio:                %.1fx\n", slow / fast);
    std::printf("  target (<= 2 ms):     %s\n", fast <= 2.0 ? "met" : "NOT met");
    return 0;
}
