// The choosers behind the Advance page's browse buttons: an open-file dialog
// for a sound, a program or a file, each with its own filter memory, and the
// folder browser "modification path".
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop/dialogs.h"

namespace orvane {

struct ChooserOutcome {
    std::optional<std::u16string> path;       // the chosen path, exactly; none when cancelled or refused
    std::u16string_view message;              // to show the person; empty for none
    bool clearPath = false;                   // the folder browser gave no path: the pending path empties
};

class AdvanceChoosers {
public:
    AdvanceChoosers();

    // Runs the chooser of Advance row 0..3 starting in `startFolder`.
    ChooserOutcome choose(int row, Dialogs& dialogs, const std::filesystem::path& startFolder,
                          std::int16_t languageCode);

    // The filter the file chooser of row 0..2 shows first: its own filter text
    // until the person picks another one, which it keeps from then on.
    std::u16string_view customFilter(int row) const;

    // What the chooser of row 0..2 asks for, before its filter memory.
    static std::u16string_view filterText(int row);
    static std::u16string_view initialName(int row);
    static std::u16string_view defaultSuffix(int row);
    static constexpr std::u16string_view kFolderTitle = u"modification path";

private:
    ChooserOutcome chooseFile(int row, Dialogs& dialogs, const std::filesystem::path& startFolder,
                              std::int16_t languageCode);
    ChooserOutcome chooseFolder(Dialogs& dialogs, const std::filesystem::path& startFolder,
                                std::int16_t languageCode);

    std::array<std::u16string, 3> customFilters_;
};

}  // namespace orvane
