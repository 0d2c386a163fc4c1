// Where each key position sits in the keyboard picture, and the label drawn
// on it in the per-key colour view.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "keyboardstate/settingsimage.h"

namespace orvane {

// The keyboard picture's top-left corner in main-window coordinates.
inline constexpr int kKeyboardPictureX = 304;
inline constexpr int kKeyboardPictureY = 80;

struct KeyPicture {
    int left, top, right, bottom;  // relative to the picture origin, edges included
    std::u16string_view label;
    int labelX, labelY;            // relative to the picture origin

    bool hasRectangle() const { return right > left && bottom > top; }
};

// Indexed by key position 0..107; positions 16..19 have no rectangle or label.
extern const std::array<KeyPicture, kKeyPositionCount> KeyPictureTable;

}  // namespace orvane
