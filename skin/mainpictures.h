// Every picture of the main window's skin, by file name, for one language.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace orvane::skin {

struct SkinPicture {
    QString name;
    QImage image;
};

std::vector<SkinPicture> mainWindowPictures(bool chinese);

}  // namespace orvane::skin
