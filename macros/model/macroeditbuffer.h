// The streams of the selected macro while the macro manager edits it, with
// the recording bookkeeping that goes with them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "macros/model/macroheldkeys.h"
#include "macros/model/macrostreams.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

class MacroEditBuffer {
public:
    MacroStreams streams;
    std::uint8_t eventCounter = 0;    // events appended since the last load
    std::uint8_t writePosition = 0;   // where recording appends: the stream end
    std::u16string lastKeyItem;       // text of the last key item recording added
    // Presses a recording appended, and presses a pending insertion
    // inserted, whose releases are not in yet. Only one of the two captures
    // runs at a time.
    MacroHeldKeys recordedKeys;
    MacroHeldKeys insertedKeys;

    // Takes the streams of a record. A pair from a file written elsewhere is
    // repaired first (see repairMacroStreams), so every later edit is safe.
    void load(const MacroRecord& record);
    // Empty streams, as at the start of a recording or for a new macro.
    void clear();
    // Re-reads the write position from the streams; every edit calls it, so
    // recording after an insertion appends behind the real end.
    void syncWritePosition();
    void storeInto(MacroRecord& record) const;

    // Whether `size` more bytes fit and still leave a short release behind
    // them for each of `heldAfter` keys.
    bool fitsWithReleases(std::size_t size, std::size_t heldAfter) const;
    std::size_t heldKeyCount() const { return recordedKeys.count() + insertedKeys.count(); }
    // Without the hook no release can arrive any more: nothing is set aside.
    void forgetHeldKeys();
};

}  // namespace orvane
