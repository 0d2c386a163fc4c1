// Write-all: sends the groups of MouseData that differ between the working
// and the saved copy, bracketed by the two lighting phases and paced by the
// keyboard's acknowledgements.
#pragma once

#include <bitset>
#include <chrono>

#include "device/acknowledgement.h"
#include "device/commandhandle.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

struct ChangedGroups {
    bool palette = false;
    bool gameMode = false;
    bool reportRate = false;
    bool responseTime = false;
    bool keyTable = false;
    bool keyMask = false;
    std::bitset<kMacroSlotCount> macroSlots;
    std::bitset<kKeyColorTableCount> colorTables;
    bool lighting = false;

    bool any() const;
};

ChangedGroups compareGroups(const MouseData& working, const MouseData& saved);

enum class WriteResult {
    NothingChanged,     // nothing sent, both copies as they were
    Sent,               // every changed group acknowledged; saved copy refreshed
    NoAcknowledgement,  // the keyboard stopped answering; saved copy kept, so the next Save retries
    NotConnected,       // no command interface (or it went away); saved copy kept
};

inline constexpr std::chrono::milliseconds kAcknowledgementLimit{1000};

// Mirrors WinLock into the working KeyEnableMask first and brings every
// out-of-range field of the working copy into range (keepInKeyboardRanges,
// each change logged with linkWarning). Only a complete run
// copies working onto saved: a Save that did not reach the keyboard is sent
// again by the next one.
WriteResult writeAll(CommandHandle& handle, AckFlag& ack, MouseData& working, MouseData& saved,
                     std::chrono::milliseconds ackLimit = kAcknowledgementLimit);

}  // namespace orvane
