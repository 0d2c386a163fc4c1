// The offer to update the keyboard's firmware when the installed package is newer.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/desktop/hostshell.h"

namespace orvane {

// Major first, then minor, compared as unsigned bytes.
bool packageIsNewer(const std::array<std::uint8_t, 4>& fileVersion,
                    const std::array<std::uint8_t, 4>& deviceVersion);

struct UpdateQuestion {
    std::u16string_view text;
    std::u16string_view caption;
};
UpdateQuestion updateQuestion(std::int16_t languageCode);

// The updater that ships beside the executable.
std::filesystem::path updaterPath(const std::filesystem::path& dataFolder);

// Starts the updater without waiting for it. Returns whether it started.
bool startUpdater(const std::filesystem::path& dataFolder, HostShell& shell);

}  // namespace orvane
