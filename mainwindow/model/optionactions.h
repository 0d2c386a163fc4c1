// The option sections' list and the factory reset's local steps.
#pragma once

#include <cstdint>
#include <string_view>

#include "mainwindow/model/mainwindowstate.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// The response-time list's labels; row r sets ResponseTime = r + 1.
inline constexpr std::u16string_view ResponseTimeLabels[10] = {
    u"2ms", u"4ms", u"6ms", u"8ms", u"10ms", u"12ms", u"14ms", u"16ms", u"18ms", u"20ms"};

void hoverResponseTimeList(MainWindowState& state, int x, int y);
void releaseOnResponseTimeList(MouseData& data, MainWindowState& state, int x, int y);

struct FactoryResetQuestion {
    std::u16string_view text;
    std::u16string_view caption;
};
FactoryResetQuestion factoryResetQuestion(std::int16_t languageCode);

}  // namespace orvane
