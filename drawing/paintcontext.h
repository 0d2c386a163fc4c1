// What a skinned window's painters share during one repaint: the canvas and
// the language its texts are shown in.
#pragma once

#include <QString>

#include <cstdint>

#include "drawing/skincanvas.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

struct PaintContext {
    SkinCanvas& canvas;
    std::int16_t languageCode = kLanguageEnglish;

    bool chinese() const { return languageCode == kLanguageChinese; }
    // The first text in Chinese, the second for any other language.
    QString text(const char* zh, const char* en) const { return QString::fromUtf8(chinese() ? zh : en); }
    void label(const char* zh, const char* en, int x, int y, int height) const {
        canvas.DrawSkinText(text(zh, en), x, y, kWhite, height);
    }
};

}  // namespace orvane
