// Shared fixtures of the macro tests: a clock fed by hand, a counting hook
// and records built from host event bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "keyboardstate/keylabels.h"
#include "macros/model/macroevents.h"
#include "macros/model/macrokeyhook.h"
#include "macros/model/macropanelhost.h"
#include "macros/model/performanceclock.h"
#include "keyboardstate/settingsimage.h"

namespace orvane::test {

class FakeClock final : public PerformanceClock {
public:
    std::int64_t frequency() const override { return freq; }
    std::int64_t counter() override { return now; }
    void advanceMs(std::int64_t ms) { now += ms * freq / 1000; }
    std::int64_t freq = 10'000'000;  // 100 ns ticks
    std::int64_t now = 123'456'789;
};

class FakeHook final : public MacroKeyHook {
public:
    bool install() override {
        ++installs;
        active = result;
        return result;
    }
    void remove() override {
        ++removes;
        active = false;
    }
    bool result = true;
    bool active = false;
    int installs = 0;
    int removes = 0;
};

// Host stream bytes; the device stream gets the key label table's codes.
inline void setStreams(MacroRecord& record, const std::vector<std::uint8_t>& host) {
    record.hostEvents.fill(0);
    record.deviceEvents.fill(0);
    for (std::size_t i = 0; i < host.size() && i < kMacroStreamSize; ++i) {
        record.hostEvents[i] = host[i];
        record.deviceEvents[i] = host[i];
    }
    for (const MacroEvent& e : macroEvents(MacroStreamView(record.hostEvents))) {
        record.deviceEvents[e.offset + 1] = keyUsage(e.code);
    }
}

inline std::unique_ptr<MacroStore> storeWith(
    const std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>>& macros) {
    auto store = std::make_unique<MacroStore>();
    for (std::size_t i = 0; i < macros.size(); ++i) {
        setFixedText(store->records[i].name, macros[i].first);
        store->records[i].loopCount = 1;
        setStreams(store->records[i], macros[i].second);
    }
    return store;
}

inline std::vector<std::uint8_t> streamPrefix(const std::array<std::uint8_t, kMacroStreamSize>& s,
                                              std::size_t n) {
    return std::vector<std::uint8_t>(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
}

}  // namespace orvane::test

namespace orvane::test {

// Whether a macro lets go of every key it presses: walking its host stream,
// each release follows a press of its key and nothing is held at the end. A
// repeated press of a held key (auto-repeat) is allowed.
inline bool keysBalance(const MacroRecord& record) {
    std::array<bool, 256> held{};
    std::array<bool, 256> pressed{};
    for (const MacroEvent& e : macroEvents(MacroStreamView(record.hostEvents))) {
        if (!e.released) {
            held[e.code] = pressed[e.code] = true;
        } else if (!pressed[e.code]) {
            return false;
        } else {
            held[e.code] = false;
        }
    }
    for (bool h : held) {
        if (h) return false;
    }
    return true;
}

}  // namespace orvane::test


namespace orvane::test {

// A point inside each of the panel's regions.
struct MacroPanelPoint {
    int x, y;
};
inline constexpr MacroPanelPoint kMacroRecord{300, 110}, kMacroNew{40, 380}, kMacroDelete{100, 380},
    kMacroOk{300, 410}, kMacroCancel{360, 410};

// A panel host that answers every question with OK and keeps the messages.
struct OkPanelHost final : MacroPanelHost {
    std::vector<std::u16string> messages;
    std::vector<bool> ended;
    void showMessage(const PanelMessage& m) override { messages.push_back(m.text); }
    bool confirm(const PanelMessage&) override { return true; }
    void endPanel(bool ok) override { ended.push_back(ok); }
    void startWindowDrag() override {}
};

}  // namespace orvane::test
