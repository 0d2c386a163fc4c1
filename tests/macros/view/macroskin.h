// The macro manager's skin as solid-colour pictures at their real sizes, in
// a temporary data folder, so a pixel of the panel tells which picture lies
// there.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>

#include "support/tempdir.h"

namespace orvane::test {

inline constexpr QRgb kPanelBackground = 0xFF202830;
inline constexpr QRgb kRecordNormal = 0xFF402020;
inline constexpr QRgb kRecordOver = 0xFF803030;
inline constexpr QRgb kBoxEmpty = 0xFF304030;
inline constexpr QRgb kBoxTicked = 0xFF30A030;
inline constexpr QRgb kButtonNormal = 0xFF303050;
inline constexpr QRgb kButtonOver = 0xFF5050A0;

// Writes the pictures for both languages under `data`/png/.
inline void writeMacroSkin(const std::filesystem::path& data) {
    struct Picture { const char* name; int w, h; QRgb colour; };
    const Picture pictures[] = {
        {"MacroManagement.png", 410, 440, kPanelBackground},
        {"Record-normal.png", 90, 25, kRecordNormal},   {"Record-over.png", 90, 25, kRecordOver},
        {"Record-leave.png", 90, 25, 0xFF000000},       {"Pane.png", 15, 15, kBoxEmpty},
        {"PaneMakingTick.png", 15, 15, kBoxTicked},     {"button-new-normal.png", 58, 25, kButtonNormal},
        {"button-new-over.png", 58, 25, kButtonOver},   {"button-new-leave.png", 58, 25, 0xFF000000},
    };
    for (const char* language : {"english", "chinese"}) {
        const QString folder = QString::fromStdString((data / "png" / language / "MacroManagement").string());
        QDir().mkpath(folder);
        for (const Picture& p : pictures) {
            QImage image(p.w, p.h, QImage::Format_RGB32);
            image.fill(p.colour);
            image.save(folder + u'/' + QString::fromLatin1(p.name));
        }
    }
}

}  // namespace orvane::test
