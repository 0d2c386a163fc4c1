// Turning the key assignment panel's result into a KeyAssignment record and
// the key's device entry, and the enable-bit step the main window runs after.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "keyboardstate/settingsimage.h"

namespace orvane {

// ItemCountOnList value that means the panel's "Default" button.
inline constexpr std::uint32_t kDefaultButtonCount = 255;

// What the key assignment panel hands over. Kept from one opening of the
// panel to the next, like the process-wide variables it stands for.
struct PendingAssignment {
    std::uint8_t mapType = TYPE_SINGLE;
    std::uint32_t ItemCountOnList = 0;
    std::array<std::uint8_t, 255> CapturedKeys{};
    std::array<char16_t, 255> FunctionName{};
    std::int32_t MacroIndex = -1;
    // Room for the 255 characters actionPath holds, plus the terminator.
    std::array<char16_t, kPathCapacity + 1> PathOrFileName{};
    std::uint8_t KeyEnabled = 1;
};

// Stores a chosen host-action path. A path longer than 255 characters does
// not fit actionPath: it is refused (false) and the old path stays.
bool setPendingPath(PendingAssignment& pending, std::u16string_view path);
// Stores a function name; false (unchanged) when it does not fit.
bool setPendingFunctionName(PendingAssignment& pending, std::u16string_view name);

enum class AssignmentResult {
    Applied,      // records changed as described and keymap.bin written
    WriteFailed,  // records changed, keymap.bin could not be written
    Refused,      // bad position or an unterminated path: nothing changed
};

// Applies the pending assignment to key position p (0..107) of the working
// copy: record p, its device entry, possibly its enable bit, ModifiedKeyFlags[p]
// and, for a macro, the macro slots rebuilt from the saved MacroStore; then
// writes keymap.bin into the data folder. Function names are looked up in the
// language of image.languageCode.
AssignmentResult ApplyKeyAssignment(SettingsImage& image, PendingAssignment& pending,
                                    std::size_t position,
                                    const std::filesystem::path& dataFolder);

// The step after the apply: the key's enable bit from KeyEnabled (a disabled
// key also counts as modified), then keymap.bin again.
AssignmentResult applyKeyEnabled(SettingsImage& image, const PendingAssignment& pending,
                                 std::size_t position, const std::filesystem::path& dataFolder);

// What the main window runs when the panel ends with OK: clear the key's
// modified flag, apply, then the enable-bit step.
AssignmentResult confirmKeyAssignment(SettingsImage& image, PendingAssignment& pending,
                                      std::size_t position,
                                      const std::filesystem::path& dataFolder);

// Name of the function a TYPE_BASIC record holds, in the current language;
// empty when its entry is in no row.
std::u16string_view storedFunctionName(const KeyAssignment& record, std::int16_t languageCode);

// The record a host-action key report belongs to: the first record, in record
// order, of a host-action type whose keyCode is the reported code.
const KeyAssignment* findHostActionRecord(const KeyAssignmentTable& table, std::uint8_t keyCode);

}  // namespace orvane
