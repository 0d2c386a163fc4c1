// One colour as the palette and the key colour tables hold it.
#pragma once

#include <cstdint>

namespace orvane {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
};

}  // namespace orvane
