#include "macro/macroheldkeys.h"

namespace orvane {

std::size_t MacroHeldKeys::countAfter(std::uint8_t key, bool released) const {
    const std::size_t n = count();
    if (isHeld(key)) return released ? n - 1 : n;
    return released ? n : n + 1;
}

void MacroHeldKeys::took(std::uint8_t key, bool released) {
    held_.set(key, !released);
    refused_.reset(key);
}

void MacroHeldKeys::refused(std::uint8_t key) {
    if (!isHeld(key)) refused_.set(key);
}

bool MacroHeldKeys::takeRefusedRelease(std::uint8_t key) {
    if (isHeld(key) || !refused_.test(key)) return false;
    refused_.reset(key);
    return true;
}

void MacroHeldKeys::clear() {
    held_.reset();
    refused_.reset();
}

}  // namespace orvane
