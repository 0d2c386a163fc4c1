// A synthetic skin, a settings image and a window state, painted together.
#pragma once

#include <QImage>

#include <memory>

#include "mainwindow/model/displayrules.h"
#include "mainwindow/model/mainwindowstate.h"
#include "mainwindow/view/paintall.h"
#include "drawing/skincanvas.h"
#include "drawing/skinimages.h"
#include "keyboardstate/settingsimage.h"
#include "support/syntheticskin.h"

namespace orvane::test {

struct PaintFixture {
    SyntheticSkin skin;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    MainWindowState state;
    SkinImages images;
    QImage canvas;

    explicit PaintFixture(std::int16_t language = kLanguageEnglish) {
        image->languageCode = language;
        images.setFolder(SkinImages::skinFolder(skin.dataFolder(), language));
        MouseData& d = image->working.mouseData;
        d.ledEffect = {2, 0, 1, 1, 1};
        d.ResponseTime = 1;
    }
    MouseData& data() { return image->working.mouseData; }
    LedEffect& led() { return image->working.mouseData.ledEffect; }

    const QImage& paint() {
        // As the window does: the display rules first, then the composition.
        settleMainWindow(*image, state);
        PaintAll(canvas, *image, state, images, QStringLiteral("www.orvane.example"));
        return canvas;
    }
    QRgb at(int x, int y) const { return canvas.pixel(x, y); }

    // What the text looks like drawn alone at (x, y) over a solid colour.
    QImage reference(const QString& text, int x, int y, int height, QRgb under) const {
        QImage ref(canvas.size(), QImage::Format_RGB32);
        ref.fill(under);
        SkinImages none;
        SkinCanvas c(ref, none);
        c.DrawSkinText(text, x, y, kWhite, height);
        return ref;
    }
};

// Whether two pictures agree inside a rectangle.
inline bool sameIn(const QImage& a, const QImage& b, const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

}  // namespace orvane::test
