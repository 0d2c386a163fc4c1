// The per-key colour view: each key of the keyboard picture filled with its
// colour from the current per-key effect's table, its label in the inverse.
#pragma once

#include <cstdint>
#include <optional>

namespace orvane {

struct PaintContext;
struct MouseData;

// DrawKeyColors: draws nothing when the current effect has no table.
void DrawKeyColors(const PaintContext& ctx, const MouseData& data);

}  // namespace orvane
