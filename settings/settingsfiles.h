// The settings files of the data folder: keymap.bin, MacroDefine.bin, VER.bin.
#pragma once

#include <filesystem>
#include <optional>

#include "settings/datafolders.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

inline constexpr const char* kKeymapFileName = "keymap.bin";
inline constexpr const char* kMacroFileName = "MacroDefine.bin";
inline constexpr const char* kVersionFileName = "VER.bin";
inline constexpr std::size_t kKeymapFileSize = kMouseDataSize + kKeyAssignmentTableSize;

enum class FileLoad {
    Loaded,         // the file was read (as far as it reached)
    Created,        // it was absent and has been created from the records
    CreateFailed,   // it was absent and could not be created; records as they were
    Unreadable,     // it exists but cannot be read: left untouched, records as
                    // they were, and marked in image.unreadableFiles so that no
                    // writer replaces it during this run
};

// Which part of keymap.bin a load fills.
enum class KeymapPart {
    Everything,         // working MouseData and KeyAssignmentTable
    KeyAssignmentsOnly, // the keep switch: working MouseData stays untouched
};

// Loads keymap.bin into the working copy. A present file fills the records as
// far as it reaches. An absent file is created from the working MouseData and
// a zeroed KeyAssignmentTable (the working table is zeroed too). A file that
// is unreadable, now or earlier in the run, changes nothing. In every case
// keyCode of records 0..107 is then stamped from VirtualKeyDefaults.
FileLoad loadKeymapFile(SettingsImage& image, const std::filesystem::path& dataFolder,
                        KeymapPart part = KeymapPart::Everything);

// Write keymap.bin from the working or the saved copies; report whether it
// was written. An unreadable keymap.bin is never written.
bool writeKeymapFromWorking(const SettingsImage& image, const std::filesystem::path& dataFolder);
bool writeKeymapFromSaved(const SettingsImage& image, const std::filesystem::path& dataFolder);

// Reads the same layout as keymap.bin (MouseData then KeyAssignmentTable) from
// any file into a pair of records, as far as the file reaches. Returns the
// bytes read, or nothing when the file cannot be opened.
std::optional<std::size_t> readSettingsPair(const std::filesystem::path& file,
                                            MouseData& mouseData,
                                            KeyAssignmentTable& keyAssignments);

// Loads MacroDefine.bin into MacroStore, creating it from the store when
// absent; an unreadable file leaves the store as it is.
FileLoad loadMacroFile(SettingsImage& image, const std::filesystem::path& dataFolder);
// Writes MacroDefine.bin from MacroStore, unless it was found unreadable.
bool writeMacroFile(const SettingsImage& image, const std::filesystem::path& dataFolder);

// Reads VER.bin into FileFirmwareVersion: major from the character at offset 5,
// minor from offset 7, each minus '0'. Absent file: all zero. Returns whether
// the file was read.
bool readVersionFile(SettingsImage& image, const std::filesystem::path& dataFolder);

// The local half of a factory reset, after the keyboard was reset and read
// back into the working MouseData: no key modified, every key enabled, every
// assignment cleared and stamped again, keymap.bin written, and the saved
// copies following only when that write succeeded (or was left out because
// keymap.bin is unreadable). Returns whether keymap.bin was written.
bool settleAfterFactoryReset(SettingsImage& image, const std::filesystem::path& dataFolder);

// The files read at start, after the leftovers of interrupted writes are
// removed from the state folder (removeInterruptedSettingsWrites), in order:
// VER.bin (a resource), MacroDefine.bin and keymap.bin
// (into a cleared key assignment table, key codes stamped even when the file
// was created), no key marked modified, then the working copies copied onto
// the saved ones.
void loadStartupFiles(SettingsImage& image, const DataFolders& folders);

// Overwrites keyCode of records 0..107 with each position's own virtual-key code.
void stampKeyCodes(KeyAssignmentTable& table);

}  // namespace orvane
