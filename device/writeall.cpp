#include "device/writeall.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "device/blocktransfers.h"
#include "device/commands.h"
#include "device/trace.h"
#include "keyboardstate/keyboardranges.h"

namespace orvane {
namespace {

template <typename A>
bool differs(const A& a, const A& b) {
    return !std::equal(a.begin(), a.end(), b.begin());
}

}  // namespace

bool ChangedGroups::any() const {
    return palette || gameMode || reportRate || responseTime || keyTable || keyMask || macroSlots.any() ||
           colorTables.any() || lighting;
}

ChangedGroups compareGroups(const MouseData& working, const MouseData& saved) {
    ChangedGroups g;
    g.palette = differs(working.PaletteColors, saved.PaletteColors);
    g.gameMode = working.GameMode != saved.GameMode;
    g.reportRate = working.ReportRate != saved.ReportRate;
    g.responseTime = working.ResponseTime != saved.ResponseTime;
    g.keyTable = differs(working.DeviceKeyTable, saved.DeviceKeyTable);
    g.keyMask = differs(working.KeyEnableMask, saved.KeyEnableMask);
    for (std::size_t s = 0; s < kMacroSlotCount; ++s) g.macroSlots[s] = differs(macroSlot(working, s), macroSlot(saved, s));
    for (std::size_t t = 0; t < kKeyColorTableCount; ++t) {
        g.colorTables[t] = differs(keyColorTable(working, t), keyColorTable(saved, t));
    }
    const LedEffect& a = working.ledEffect;
    const LedEffect& b = saved.ledEffect;
    g.lighting = a.LEDEffectMode != b.LEDEffectMode || a.LEDEffectSpeed != b.LEDEffectSpeed ||
                 a.LEDEffectBrightness != b.LEDEffectBrightness || a.LEDEffectColor != b.LEDEffectColor ||
                 a.LEDEffectDirection != b.LEDEffectDirection;
    return g;
}

WriteResult writeAll(CommandHandle& handle, AckFlag& ack, MouseData& working, MouseData& saved,
                     std::chrono::milliseconds ackLimit) {
    applyWinLock(working);
    // Whatever a file or a panel put there, the keyboard only ever gets
    // values it accepts; the rest keep what the keyboard holds.
    for (const RangeFinding& f : keepInKeyboardRanges(working, saved)) linkWarning("%s", f.describe().c_str());
    const ChangedGroups changed = compareGroups(working, saved);
    if (!changed.any()) return WriteResult::NothingChanged;
    if (!handle.isOpen()) return WriteResult::NotConnected;
    // Without the event interface no acknowledgement can come: better to send
    // nothing than to leave the keyboard after phase 1 with its lights at 0.
    if (ack.interrupted()) return handle.closeIfGone() ? WriteResult::NotConnected : WriteResult::NoAcknowledgement;

    // One group: clear the flag, send, wait for the keyboard's acknowledgement.
    auto group = [&](auto&& send) -> WriteResult {
        ack.clear();
        send();
        if (!handle.isOpen()) return WriteResult::NotConnected;
        switch (ack.waitFor(ackLimit)) {
            case AckFlag::Wait::Acknowledged: return WriteResult::Sent;
            case AckFlag::Wait::Interrupted:
                return handle.closeIfGone() ? WriteResult::NotConnected : WriteResult::NoAcknowledgement;
            case AckFlag::Wait::TimedOut: break;
        }
        linkTrace("write-all: no acknowledgement within %lld ms\n", static_cast<long long>(ackLimit.count()));
        return WriteResult::NoAcknowledgement;
    };

    std::vector<std::function<void()>> steps;
    steps.emplace_back([&] { SetLightingEffect(handle, working, LightingPhase::Begin); });
    if (changed.palette) {
        steps.emplace_back([&] {
            for (std::size_t i = 0; i < kPaletteColorCount; ++i) SetPaletteColor(handle, working, i);
        });
    }
    if (changed.gameMode) steps.emplace_back([&] { SetGameMode(handle, working, working.GameMode); });
    if (changed.reportRate) steps.emplace_back([&] { SetReportRate(handle, working); });
    if (changed.responseTime) steps.emplace_back([&] { SetResponseTime(handle, working); });
    if (changed.keyTable) steps.emplace_back([&] { WriteKeyTable(handle, working); });
    if (changed.keyMask) steps.emplace_back([&] { WriteKeyEnableMask(handle, working); });
    for (std::size_t s = 0; s < kMacroSlotCount; ++s) {
        if (changed.macroSlots[s]) steps.emplace_back([&, s] { WriteMacroSlot(handle, working, s); });
    }
    for (std::size_t t = 0; t < kKeyColorTableCount; ++t) {
        if (changed.colorTables[t]) steps.emplace_back([&, t] { WriteKeyColorTable(handle, working, t); });
    }

    for (auto& step : steps) {
        const WriteResult r = group(step);
        if (r != WriteResult::Sent) return r;
    }

    ack.clear();
    SetLightingEffect(handle, working, LightingPhase::Commit);
    if (!handle.isOpen()) return WriteResult::NotConnected;
    saved = working;
    return WriteResult::Sent;
}

}  // namespace orvane
