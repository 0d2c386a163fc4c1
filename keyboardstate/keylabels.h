// The key label table: for every virtual-key code, the keyboard's usage byte
// and the short name the panels show.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvane {

struct KeyLabel {
    std::uint8_t keyCode;
    std::uint8_t usage;                 // 0 when the key has none
    std::array<char16_t, 100> label;    // 0-terminated; empty when the key has none
};

using KeyLabelTable = std::array<KeyLabel, 256>;

// Fills a table from scratch; building twice gives the same table.
void BuildKeyLabels(KeyLabelTable& table);

// The process-wide table, built on first use and read-only afterwards.
const KeyLabelTable& keyLabels();

// Look-ups by virtual-key code; every byte value is a valid index.
std::uint8_t keyUsage(std::uint8_t virtualKey);
std::u16string_view keyLabel(std::uint8_t virtualKey);

}  // namespace orvane
