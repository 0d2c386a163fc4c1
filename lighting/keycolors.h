// The per-key colour view: each key of the keyboard picture filled with its
// colour from the current per-key effect's table, its label in the inverse.
#pragma once

#include <cstdint>
#include <optional>

namespace orvane {

struct PaintContext;
struct MouseData;

// The colour table of a per-key effect (51..55 give 0..4); nullopt for any
// other effect, which has no table.
std::optional<std::size_t> keyColorTableOf(std::uint8_t effect);

// DrawKeyColors: draws nothing when the current effect has no table.
void DrawKeyColors(PaintContext& ctx);

}  // namespace orvane
