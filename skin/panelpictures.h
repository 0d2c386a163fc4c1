// The pictures of the three modal panels, each in its own subfolder of the
// language's skin folder: "Custom/" (key assignment), "MacroManagement/"
// (macro manager) and "Config/" (profile manager).
#pragma once

#include "skin/mainpictures.h"

namespace orvane::skin {

std::vector<SkinPicture> keyAssignmentPictures(bool chinese);
std::vector<SkinPicture> macroManagerPictures(bool chinese);
std::vector<SkinPicture> profileManagerPictures(bool chinese);

}  // namespace orvane::skin
