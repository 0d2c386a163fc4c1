// A skin of solid-colour pictures at the generator's sizes, written into a
// temporary data folder, so that a pixel of the composed canvas tells which
// picture (or box, or text) lies there.
#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include <map>
#include <string>

#include "support/tempdir.h"

namespace orvane::test {

struct SkinEntry {
    int width, height;
    QRgb colour;
};

inline const std::map<std::string, SkinEntry>& syntheticSkinEntries() {
    static const std::map<std::string, SkinEntry> entries{
        {"main.png", {1000, 645, 0xFF101010}},
        {"button-help-normal.png", {17, 16, 0xFF111111}},
        {"button-min-normal.png", {17, 16, 0xFF121212}},
        {"button-close-normal.png", {17, 16, 0xFF131313}},
        {"logo.png", {242, 62, 0xFF141414}},
        {"kb_BK.png", {680, 330, 0xFF202020}},
        {"kb_hl.png", {680, 330, 0xFFF00000}},
        {"button-cancel-normal.png", {58, 30, 0xFF151515}},
        {"button-save-normal.png", {58, 30, 0xFF161616}},
        {"text.png", {260, 20, 0xFF171717}},
        {"Config.png", {76, 32, 0xFF181818}},
        {"MacroManagementBK.png", {243, 55, 0xFF191919}},
        {"MacroButton3.png", {241, 19, 0xFF1A1A1A}},
        {"HelpWindow.png", {167, 78, 0xFF1B1B1B}},
        {"itemBK.png", {243, 20, 0xFF1C1C1C}},
        {"LEDEffect_open.png", {243, 205, 0xFF303030}},
        {"Light_Item.png", {221, 16, 0xFF313131}},
        {"freq.png", {243, 89, 0xFF323232}},
        {"8.png", {20, 20, 0xFF0000F0}},
        {"Direction-T-Disable.png", {36, 16, 0xFF401000}},
        {"Direction-B-Disable.png", {36, 16, 0xFF402000}},
        {"Direction-R-Disable.png", {36, 16, 0xFF403000}},
        {"Direction-L-Disable.png", {36, 16, 0xFF404000}},
        {"Direction-T-Enable.png", {36, 16, 0xFF801000}},
        {"Direction-B-Enable.png", {36, 16, 0xFF802000}},
        {"Direction-R-Enable.png", {36, 16, 0xFF803000}},
        {"Direction-L-Enable.png", {36, 16, 0xFF804000}},
        {"Enable.png", {14, 14, 0xFF00C000}},
        {"Disable.png", {14, 14, 0xFF006000}},
        {"gamemode_Close.png", {243, 20, 0xFF500010}},
        {"gamemode_open.png", {243, 50, 0xFF500020}},
        {"responsetime_close.png", {243, 20, 0xFF500030}},
        {"responsetime_open.png", {243, 50, 0xFF500040}},
        {"reportrate_Close.png", {243, 20, 0xFF500050}},
        {"reportrate_Open.png", {243, 62, 0xFF500060}},
        {"Thumb.png", {15, 14, 0xFF00FF00}},
    };
    return entries;
}

inline QRgb skinColour(const std::string& name) { return syntheticSkinEntries().at(name).colour; }

// A data folder holding png/english/ and png/chinese/ with the synthetic skin.
class SyntheticSkin {
public:
    SyntheticSkin() {
        for (const char* language : {"english", "chinese"}) {
            const QString folder = dataFolder() + "png/" + language + "/";
            QDir().mkpath(folder);
            for (const auto& [name, e] : syntheticSkinEntries()) write(folder, name, e);
        }
    }
    QString dataFolder() const { return QString::fromStdString(dir_.path().string()) + "/"; }
    QString englishFolder() const { return dataFolder() + "png/english/"; }

    static void write(const QString& folder, const std::string& name, const SkinEntry& e) {
        QImage img(e.width, e.height, QImage::Format_RGB32);
        img.fill(e.colour);
        img.save(folder + QString::fromStdString(name), "PNG");
    }

private:
    TempDir dir_;
};

}  // namespace orvane::test
