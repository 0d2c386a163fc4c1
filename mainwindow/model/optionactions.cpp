#include "mainwindow/model/optionactions.h"

#include "mainwindow/model/sectionlayout.h"

namespace orvane {
namespace {

// The row under the pointer, or -1 outside the list.
int responseRowAt(const MainWindowState& state, int x, int y) {
    const SectionLayout l = computeSectionLayout(state);
    const int X = l.responseListX;
    const int Y = l.responseListY;
    if (x < X || x > X + 220 || y < Y || y > Y + 199) return -1;
    return (y - Y) / 20;
}

}  // namespace

void hoverResponseTimeList(MainWindowState& state, int x, int y) {
    const int row = responseRowAt(state, x, y);
    state.SelectedResponseTimeItem = row < 0 ? kNoItem : static_cast<std::uint8_t>(row);
}

void releaseOnResponseTimeList(MouseData& data, MainWindowState& state, int x, int y) {
    const int row = responseRowAt(state, x, y);
    if (row >= 0) {
        state.SelectedResponseTimeItem = static_cast<std::uint8_t>(row);
        data.ResponseTime = static_cast<std::uint8_t>(row + 1);
    }
    state.Popup_ResponseTime = false;
}

FactoryResetQuestion factoryResetQuestion(std::int16_t languageCode) {
    if (languageCode == kLanguageChinese) return {u"确认恢复至出厂设置吗？", u"出厂设置"};
    return {u"Confirm to return Factory Setting?", u"Factory Setting"};
}

}  // namespace orvane
