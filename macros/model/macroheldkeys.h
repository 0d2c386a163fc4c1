// The keys a capture has put a press of into the macro without its release
// yet, in the order they went down, and the keys whose press it refused for
// lack of room. Each held key needs room for a release behind it, or the
// keyboard would keep it down when the macro plays; the release of a refused
// press is refused as well, so the macro never holds a release without its
// press.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

class MacroHeldKeys {
public:
    bool isHeld(std::uint8_t key) const { return held_.test(key); }
    bool none() const { return order_.empty(); }
    std::size_t count() const { return order_.size(); }
    // Keys held once an event of `key` is in.
    std::size_t countAfter(std::uint8_t key, bool released) const;
    // The held keys, first pressed first.
    const std::vector<std::uint8_t>& inPressOrder() const { return order_; }

    // A press or a release of `key` went in.
    void took(std::uint8_t key, bool released);
    // A press did not fit; a key already held stays held.
    void refused(std::uint8_t key);
    // Whether a release is that of a refused press, forgetting the refusal.
    bool takeRefusedRelease(std::uint8_t key);
    // The held keys were let go of in the macro while they are still down on
    // the host: their releases, when they come, belong to no press.
    void releasedByCapture();
    void clear();

private:
    std::bitset<256> held_;
    std::bitset<256> refused_;
    std::vector<std::uint8_t> order_;
};

}  // namespace orvane
