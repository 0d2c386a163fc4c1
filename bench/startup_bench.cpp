// Start to first painted window on the virtual keyboard: from before the
// application object exists to the window's first paint event. Runs several
// starts in fresh data folders and prints each and the median.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "mainwindow/view/orvanedlg.h"
#include "platform/desktop/desktopshell.h"
#include "platform/desktop/qtdialogs.h"
#include "platform/hid/sleeper.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace {

class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const qint64 appReady = clock.nsecsElapsed();
    const QString skinFolder = QCoreApplication::applicationDirPath();
    std::vector<double> runs;
    for (int run = 0; run < 7; ++run) {
        QTemporaryDir dir;
        // The skin comes from the build folder; the files of this run from its own folder.
        QFile::link(skinFolder + QStringLiteral("/png"), dir.filePath(QStringLiteral("png")));
        auto keyboard = std::make_shared<orvane::VirtualKeyboard>();
        orvane::VirtualHidBackend backend(keyboard);
        orvane::DesktopShell shell;
        orvane::QtDialogs dialogs;
        auto image = std::make_unique<orvane::SettingsImage>();
        QElapsedTimer timer;
        timer.start();
        orvane::COrvaneDlg window({*image, backend, orvane::realSleeper(), shell, dialogs,
                                   {dir.path().toStdString(), dir.path().toStdString()}, orvane::kLanguageEnglish, false});
        FirstPaint probe;
        window.installEventFilter(&probe);
        window.OnInitDialog();
        while (!probe.painted && timer.elapsed() < 5000) QCoreApplication::processEvents();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        runs.push_back(ms);
        std::printf("start %d: %.1f ms%s\n", run + 1, ms, probe.painted ? "" : " (no paint)");
    }
    std::sort(runs.begin(), runs.end());
    std::printf("application object: %.1f ms\n", static_cast<double>(appReady) / 1e6);
    std::printf("median start to first paint: %.1f ms (limit 300 ms), fastest %.1f ms\n",
                runs[runs.size() / 2], runs.front());
    return 0;
}
