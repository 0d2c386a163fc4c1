// The colours of the skin, shared by the skin generator and the bitmaps the
// program draws itself, so that images drawn side by side meet seamlessly.
#pragma once

#include <cstdint>

namespace orvane::palette {

using Rgb = std::uint32_t;  // 0xRRGGBB

inline constexpr Rgb kBackground = 0x121212;    // window background
inline constexpr Rgb kTitleBar = 0x0B0B0B;
inline constexpr Rgb kSectionBody = 0x1C1C1C;  // open sections; slider channels sit on it
inline constexpr Rgb kHeader = 0x262626;
inline constexpr Rgb kHeaderEdge = 0x343434;
inline constexpr Rgb kAccent = 0xC3262E;        // dark red accents
inline constexpr Rgb kAccentDeep = 0x500000;    // selected list row
inline constexpr Rgb kListRow = 0x3B3B3B;       // list row
inline constexpr Rgb kField = 0x2E2E2E;
inline constexpr Rgb kListWell = 0x141414;      // behind the panels' lists
inline constexpr Rgb kFieldEdge = 0x4A4A4A;
inline constexpr Rgb kGroove = 0x3A3A3A;
inline constexpr Rgb kGrooveEdge = 0x0A0A0A;
inline constexpr Rgb kText = 0xE6E6E6;
inline constexpr Rgb kTextDim = 0x8C8C8C;
inline constexpr Rgb kKeyFace = 0x2A2A2A;
inline constexpr Rgb kKeyEdge = 0x0E0E0E;
inline constexpr Rgb kKeyTop = 0x3A3A3A;
inline constexpr Rgb kKeyLegend = 0xCFCFCF;
inline constexpr Rgb kKeyLitFace = 0x7A1216;
inline constexpr Rgb kKeyLitEdge = 0xFF4A4A;
inline constexpr Rgb kKeyboardBody = 0x1A1A1A;

}  // namespace orvane::palette
