// The option sections of the side panel (game mode with Windows-key lock,
// key response time, USB report rate) and the response-time drop-down list.
#pragma once

#include <array>
#include <string_view>

namespace orvane {

struct MainPaintContext;

// Row r of the response-time list sets ResponseTime r + 1.
inline constexpr std::array<std::string_view, 10> ResponseTimeLabels{
    "2ms", "4ms", "6ms", "8ms", "10ms", "12ms", "14ms", "16ms", "18ms", "20ms",
};

void DrawOptionSections(const MainPaintContext& ctx);
void DrawResponseTimeList(const MainPaintContext& ctx);

// Where the report-rate slider sits below a report-rate section top.

}  // namespace orvane
