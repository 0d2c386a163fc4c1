// What the user is told when the keyboard is listed but cannot be opened:
// without the udev rule its hidraw nodes belong to root, or another program
// holds them. Texts are UTF-8; orvanectl prints the English one.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvane {

struct AccessNotice {
    std::string_view text;
    std::string_view caption;
};

AccessNotice cannotOpenNotice(std::int16_t languageCode);

}  // namespace orvane
