// Event streams of any bytes: the walk, the item walk, the display items and
// the repair made when a macro is opened, all inside the 190 bytes.
#include <algorithm>

#include "fuzztarget.h"
#include "macros/model/macroevents.h"
#include "macros/model/macrostreams.h"

ORVANE_FUZZ_TARGET(macro_stream) {
    using namespace orvane;
    fuzz::Input in(data, size);
    MacroStreams streams;
    const auto host = in.bytes(kMacroStreamSize);
    std::copy(host.begin(), host.end(), streams.host.begin());
    const auto device = in.bytes(kMacroStreamSize);
    std::copy(device.begin(), device.end(), streams.device.begin());

    const MacroStreamView view = streams.hostView();
    const std::size_t end = macroStreamEnd(view);
    ORVANE_FUZZ_CHECK(end <= kMacroStreamSize);
    const auto events = macroEvents(view);
    std::size_t at = 0, items = 0;
    for (const MacroEvent& e : events) {
        ORVANE_FUZZ_CHECK(e.offset == at && e.end() <= end && e.code != 0);
        at = e.end();
        items += e.itemCount();
    }
    ORVANE_FUZZ_CHECK(at == end);
    const std::size_t count = macroItemCount(view);
    ORVANE_FUZZ_CHECK(count == items);
    ORVANE_FUZZ_CHECK(macroDisplayItems(view).size() == count);
    for (std::size_t i = 0; i <= count + 1; ++i) {
        const auto item = macroItemAt(view, i);
        ORVANE_FUZZ_CHECK(item.has_value() == (i < count));
        if (item) ORVANE_FUZZ_CHECK(item->firstItem <= i && i < item->endItem() && item->event.end() <= end);
        if (const auto offset = macroOffsetOfItem(view, i)) ORVANE_FUZZ_CHECK(*offset <= end);
    }
    ORVANE_FUZZ_CHECK(macroOffsetOfItem(view, count) == end);

    repairMacroStreams(streams);
    ORVANE_FUZZ_CHECK(macroStreamsAligned(streams));
    ORVANE_FUZZ_CHECK(streams.end() <= end);
    for (std::size_t i = streams.end(); i < kMacroStreamSize; ++i) {
        ORVANE_FUZZ_CHECK(streams.host[i] == 0 && streams.device[i] == 0);
    }
    normaliseMacroStreams(streams);
    ORVANE_FUZZ_CHECK(macroStreamsAligned(streams));
    return 0;
}
