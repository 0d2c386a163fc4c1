// Finding the keyboard's command and event interfaces among its HID interfaces.
#pragma once

#include <optional>
#include <string_view>

#include "platform/hid/hidbackend.h"

namespace orvane {

inline constexpr std::string_view kCommandSelector = "mi_03";
inline constexpr std::string_view kEventSelector = "ol04";

// The first interface of this keyboard whose path contains the selector
// (case-sensitive); nothing when none does. Opens nothing.
std::optional<HidInterface> discoverInterface(HidBackend& backend, std::string_view selector);

}  // namespace orvane
