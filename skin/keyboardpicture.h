// The keyboard picture ("kb_BK.png") and its highlighted twin ("kb_hl.png"):
// the same size and the same body, every key of the key picture table drawn
// in its rectangle, plain in the one and lit in the other.
#pragma once

#include <QImage>

namespace orvane::skin {

inline constexpr int kKeyboardPictureWidth = 680;
inline constexpr int kKeyboardPictureHeight = 330;

QImage keyboardPicture(bool lit);

}  // namespace orvane::skin
