// A clock fed by hand, a counting key hook and a panel host that shows
// nothing, for the macro manager's window tests.
#pragma once

#include "macros/model/macrokeyhook.h"
#include "macros/model/macropanelhost.h"
#include "macros/model/performanceclock.h"

namespace orvane::test {

class FakeClock final : public PerformanceClock {
public:
    std::int64_t frequency() const override { return 1000; }
    std::int64_t counter() override { return now; }
    std::int64_t now = 5000;
};

class FakeHook final : public MacroKeyHook {
public:
    bool install() override { return true; }
    void remove() override {}
};

struct SilentHost final : MacroPanelHost {
    void showMessage(const PanelMessage&) override {}
    bool confirm(const PanelMessage&) override { return true; }
    void endPanel(bool) override {}
    void startWindowDrag() override {}
};

}  // namespace orvane::test
