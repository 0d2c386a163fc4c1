// Bytes of settings files for tests: random ones, and random ones whose
// keyboard state the keyboard accepts, as a profile the utility wrote holds.
#pragma once

#include <cstddef>
#include <cstring>
#include <random>
#include <vector>

#include "keyboardstate/keyboardranges.h"

namespace orvane::test {

inline std::vector<unsigned char> randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<unsigned char> v(n);
    for (auto& b : v) b = static_cast<unsigned char>(gen());
    return v;
}

inline std::vector<unsigned char> profileBytes(std::size_t n, unsigned seed) {
    std::vector<unsigned char> v = randomBytes(n, seed);
    if (n < kMouseDataSize) return v;
    MouseData data;
    std::memcpy(&data, v.data(), sizeof data);
    keepInKeyboardRanges(data, MouseData{});
    std::memcpy(v.data(), &data, sizeof data);
    return v;
}

}  // namespace orvane::test
