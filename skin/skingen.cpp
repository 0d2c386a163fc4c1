// The skin generator: writes every picture of the main window into
// <output>/png/english/ and <output>/png/chinese/. Run at build time.
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

#include "skin/mainpictures.h"

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
        for (const auto& picture : orvane::skin::mainWindowPictures(chinese)) {
            QImageWriter writer(folder + picture.name, "png");
            if (!writer.write(picture.image)) {
                std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(folder + picture.name),
                             qPrintable(writer.errorString()));
                return 1;
            }
        }
    }
    return 0;
}
