// The macro manager's commands and captured keys in any order, with the main
// window's hand-over between openings (OK, Cancel, Save, keys set to play
// macros): no finished macro holds a key, and every key that plays a macro
// agrees with MacroDefine.bin in its record, device entry and keyboard slot.
//
// Input: pairs of (command, argument), see macro/macro_panel_walk.h.
#include "fuzztarget.h"
#include "macros/model/macro_panel_walk.h"

ORVANE_FUZZ_TARGET(macro_panel) {
    orvane::test::MacroPanelWalk walk(orvane::fuzz::scratchFolder());
    const std::string problem = walk.run(std::span<const std::uint8_t>(data, size));
    ORVANE_FUZZ_CHECK(problem.empty());
    return 0;
}
