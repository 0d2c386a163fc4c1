// The keys a capture has put a press of into the macro without its release
// yet, and the keys whose press it refused for lack of room. Each held key
// needs room for a release behind it, or the keyboard would keep it down
// when the macro plays; the release of a refused press is refused as well,
// so the macro never holds a release without its press.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>

namespace orvane {

class MacroHeldKeys {
public:
    bool isHeld(std::uint8_t key) const { return held_.test(key); }
    bool none() const { return held_.none(); }
    std::size_t count() const { return held_.count(); }
    // Keys held once an event of `key` is in.
    std::size_t countAfter(std::uint8_t key, bool released) const;

    // A press or a release of `key` went in.
    void took(std::uint8_t key, bool released);
    // A press did not fit; a key already held stays held.
    void refused(std::uint8_t key);
    // Whether a release is that of a refused press, forgetting the refusal.
    bool takeRefusedRelease(std::uint8_t key);
    void clear();

private:
    std::bitset<256> held_;
    std::bitset<256> refused_;
};

}  // namespace orvane
