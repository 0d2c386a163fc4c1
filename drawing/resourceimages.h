// The program's own numbered bitmaps and icon, drawn by code on first use:
// 131 press icon (10 x 14), 137 delay icon (14 x 14), 138 release icon
// (10 x 14), 145 list background (127 x 305), 139 empty slider channel
// (220 x 17), 140 full slider channel (220 x 17), 141 slider thumb (15 x 14),
// 155 the application icon (64 x 64, with alpha).
#pragma once

#include <QImage>

namespace orvane {

inline constexpr int kBitmapPressIcon = 131;
inline constexpr int kBitmapDelayIcon = 137;
inline constexpr int kBitmapReleaseIcon = 138;
inline constexpr int kBitmapListBackground = 145;
inline constexpr int kBitmapChannelEmpty = 139;
inline constexpr int kBitmapChannelFull = 140;
inline constexpr int kBitmapSliderThumb = 141;
inline constexpr int kIconApplication = 155;

// The resource of that number; a null image for a number the program has no
// bitmap or icon for. Safe to call from any thread.
QImage resourceImage(int id);

// The program's icon (155) drawn at size x size pixels, for the desktop's icon theme.
QImage applicationIcon(int size);

}  // namespace orvane
