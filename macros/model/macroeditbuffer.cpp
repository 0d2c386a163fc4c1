#include "macros/model/macroeditbuffer.h"

namespace orvane {

void MacroEditBuffer::load(const MacroRecord& record) {
    streams.device = record.deviceEvents;
    streams.host = record.hostEvents;
    repairMacroStreams(streams);
    eventCounter = 0;
    syncWritePosition();
}

void MacroEditBuffer::clear() {
    streams = MacroStreams{};
    eventCounter = 0;
    writePosition = 0;
    lastKeyItem.clear();
    forgetHeldKeys();
}

void MacroEditBuffer::syncWritePosition() {
    writePosition = static_cast<std::uint8_t>(streams.end());
}

void MacroEditBuffer::storeInto(MacroRecord& record) const {
    record.deviceEvents = streams.device;
    record.hostEvents = streams.host;
}

bool MacroEditBuffer::fitsWithReleases(std::size_t size, std::size_t heldAfter) const {
    return size + heldAfter * kShortEventSize <= streams.room();
}

void MacroEditBuffer::forgetHeldKeys() {
    recordedKeys.clear();
    insertedKeys.clear();
}

}  // namespace orvane
