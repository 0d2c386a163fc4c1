// The skin generator: writes every picture of the main window and its panels into
// <output>/png/english/ and <output>/png/chinese/, and the program's icon at the
// icon theme's sizes into <output>/icons/hicolor/<size>/apps/. Run at build time.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

#include "drawing/resourceimages.h"
#include "skin/mainpictures.h"
#include "skin/panelpictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    // Fonts need a GUI application; no screen is used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);

    for (const bool chinese : {false, true}) {
        const QString folder = root + (chinese ? "/png/chinese/" : "/png/english/");
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
            return 1;
        }
        auto pictures = orvane::skin::mainWindowPictures(chinese);
        for (auto more : {orvane::skin::keyAssignmentPictures(chinese),
                          orvane::skin::macroManagerPictures(chinese),
                          orvane::skin::profileManagerPictures(chinese)})
            for (auto& picture : more) pictures.push_back(std::move(picture));
        for (const auto& picture : pictures) {
            const QString path = folder + picture.name;
            QDir().mkpath(QFileInfo(path).path());
            QImageWriter writer(path, "png");
            if (!writer.write(picture.image)) {
                std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                             qPrintable(writer.errorString()));
                return 1;
            }
        }
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = root + QStringLiteral("/icons/hicolor/%1x%1/apps/").arg(size);
        const QString path = folder + QStringLiteral(ORVANE_APP_ID ".png");
        if (!QDir().mkpath(folder) || !orvane::applicationIcon(size).save(path, "png")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
