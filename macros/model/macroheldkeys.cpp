#include "macros/model/macroheldkeys.h"

#include <algorithm>

namespace orvane {

std::size_t MacroHeldKeys::countAfter(std::uint8_t key, bool released) const {
    const std::size_t n = count();
    if (isHeld(key)) return released ? n - 1 : n;
    return released ? n : n + 1;
}

void MacroHeldKeys::took(std::uint8_t key, bool released) {
    refused_.reset(key);
    if (released) {
        if (!isHeld(key)) return;
        held_.reset(key);
        order_.erase(std::find(order_.begin(), order_.end(), key));
    } else if (!isHeld(key)) {
        // A repeated press of a held key keeps its first place.
        held_.set(key);
        order_.push_back(key);
    }
}

void MacroHeldKeys::refused(std::uint8_t key) {
    if (!isHeld(key)) refused_.set(key);
}

bool MacroHeldKeys::takeRefusedRelease(std::uint8_t key) {
    if (isHeld(key) || !refused_.test(key)) return false;
    refused_.reset(key);
    return true;
}

void MacroHeldKeys::releasedByCapture() {
    for (const std::uint8_t key : order_) refused_.set(key);
    held_.reset();
    order_.clear();
}

void MacroHeldKeys::clear() {
    held_.reset();
    refused_.reset();
    order_.clear();
}

}  // namespace orvane
