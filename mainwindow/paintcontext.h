// What the painting of the main window's parts shares during one repaint.
#pragma once

#include <QString>

#include "mainwindow/mainwindowstate.h"
#include "mainwindow/sectionlayout.h"
#include "drawing/skincanvas.h"
#include "settings/settingsimage.h"

namespace orvane {

struct PaintContext {
    SkinCanvas& canvas;
    SettingsImage& image;
    MainWindowState& state;
    SectionLayout layout;

    MouseData& data() { return image.working.mouseData; }
    bool chinese() const { return image.languageCode == kLanguageChinese; }
    // The first text in Chinese, the second for any other language.
    QString text(const char* zh, const char* en) const {
        return QString::fromUtf8(chinese() ? zh : en);
    }
    void label(const char* zh, const char* en, int x, int y, int height) {
        canvas.DrawSkinText(text(zh, en), x, y, kWhite, height);
    }
};

}  // namespace orvane
