#include "settings/settingsfiles.h"

#include <algorithm>
#include <memory>

#include "keyboardstate/keycodes.h"
#include "settings/atomicfile.h"
#include "settings/interruptedwrites.h"
#include "settings/macroslots.h"

namespace orvane {
namespace fs = std::filesystem;

void stampKeyCodes(KeyAssignmentTable& table) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        table.records[p].keyCode = VirtualKeyDefaults[p];
    }
}

namespace {

bool writeKeymapFile(const SettingsImage& image, const fs::path& dataFolder,
                     const MouseData& mouseData, const KeyAssignmentTable& keyAssignments) {
    // A file that could not be read may hold what the user still wants: it
    // is not replaced by what this run had to start from.
    if (image.unreadableFiles.keymap) return false;
    return writeFileAtomically(dataFolder / kKeymapFileName,
                               {bytesOf(mouseData), bytesOf(keyAssignments)});
}

FileRead readPair(const fs::path& file, MouseData& mouseData, KeyAssignmentTable& keyAssignments) {
    // Read into scratch first: a short file fills only what it reaches, the
    // rest of the records keep their contents, and a failed read fills nothing.
    static_assert(sizeof(MouseData) + sizeof(KeyAssignmentTable) == kKeymapFileSize);
    auto scratch = std::make_unique<std::array<std::byte, kKeymapFileSize>>();
    const FileRead read = readFileStart(file, *scratch);
    if (read.outcome != ReadOutcome::Read) return read;
    const std::size_t first = std::min(read.bytes, sizeof(MouseData));
    std::copy_n(scratch->begin(), first, writableBytesOf(mouseData).begin());
    if (read.bytes > sizeof(MouseData)) {
        std::copy_n(scratch->begin() + sizeof(MouseData), read.bytes - sizeof(MouseData),
                    writableBytesOf(keyAssignments).begin());
    }
    return read;
}

}  // namespace

bool writeKeymapFromWorking(const SettingsImage& image, const fs::path& dataFolder) {
    return writeKeymapFile(image, dataFolder, image.working.mouseData, image.working.keyAssignments);
}

bool writeKeymapFromSaved(const SettingsImage& image, const fs::path& dataFolder) {
    return writeKeymapFile(image, dataFolder, image.saved.mouseData, image.saved.keyAssignments);
}

std::optional<std::size_t> readSettingsPair(const fs::path& file, MouseData& mouseData,
                                            KeyAssignmentTable& keyAssignments) {
    const FileRead read = readPair(file, mouseData, keyAssignments);
    if (read.outcome != ReadOutcome::Read) return std::nullopt;
    return read.bytes;
}

FileLoad loadKeymapFile(SettingsImage& image, const fs::path& dataFolder, KeymapPart part) {
    KeyAssignmentTable& table = image.working.keyAssignments;
    // Once found unreadable the file stays untouched for the run: what is in
    // memory is all there is.
    if (image.unreadableFiles.keymap) {
        stampKeyCodes(table);
        return FileLoad::Unreadable;
    }
    // With the keep switch the device half goes to a scratch record that is thrown away.
    auto scratch = std::make_unique<MouseData>(image.working.mouseData);
    MouseData& device = part == KeymapPart::KeyAssignmentsOnly ? *scratch : image.working.mouseData;
    switch (readPair(dataFolder / kKeymapFileName, device, table).outcome) {
        case ReadOutcome::Read:
            stampKeyCodes(table);
            return FileLoad::Loaded;
        case ReadOutcome::Unreadable:
            image.unreadableFiles.keymap = true;
            stampKeyCodes(table);
            return FileLoad::Unreadable;
        case ReadOutcome::Absent: break;
    }
    // The new file holds a zeroed table; the records in memory still need each
    // key's own code, or Default and host actions would build dead entries.
    table = KeyAssignmentTable{};
    const bool created = writeKeymapFromWorking(image, dataFolder);
    stampKeyCodes(table);
    return created ? FileLoad::Created : FileLoad::CreateFailed;
}

FileLoad loadMacroFile(SettingsImage& image, const fs::path& dataFolder) {
    if (image.unreadableFiles.macros) return FileLoad::Unreadable;
    // A short file fills the start of the store; a failed read fills nothing.
    auto scratch = std::make_unique<MacroStore>(image.macroStore);
    switch (readFileStart(dataFolder / kMacroFileName, writableBytesOf(*scratch)).outcome) {
        case ReadOutcome::Read:
            image.macroStore = *scratch;
            return FileLoad::Loaded;
        case ReadOutcome::Unreadable:
            image.unreadableFiles.macros = true;
            return FileLoad::Unreadable;
        case ReadOutcome::Absent: break;
    }
    return writeMacroFile(image, dataFolder) ? FileLoad::Created : FileLoad::CreateFailed;
}

bool writeMacroFile(const SettingsImage& image, const fs::path& dataFolder) {
    if (image.unreadableFiles.macros) return false;
    return writeFileAtomically(dataFolder / kMacroFileName, {bytesOf(image.macroStore)});
}

bool settleAfterFactoryReset(SettingsImage& image, const fs::path& dataFolder) {
    image.modifiedKeyFlags.fill(0);
    image.working.mouseData.KeyEnableMask.fill(0xFF);
    image.working.keyAssignments = KeyAssignmentTable{};
    stampKeyCodes(image.working.keyAssignments);
    const bool written = writeKeymapFromWorking(image, dataFolder);
    // An unreadable keymap.bin is left out on purpose; the keyboard was reset
    // all the same, so the saved copies follow it.
    if (!written && !image.unreadableFiles.keymap) return false;
    copyWorkingToSaved(image);
    macroChangesSent(image);
    return written;
}

bool readVersionFile(SettingsImage& image, const fs::path& dataFolder) {
    image.fileFirmwareVersion = {0, 0, 0, 0};
    std::array<std::byte, 12> text{};
    const auto n = readFilePrefix(dataFolder / kVersionFileName, text);
    if (!n) return false;
    // A digit the file does not reach stays 0 rather than becoming 0 - '0'.
    if (*n > 5) image.fileFirmwareVersion[0] = static_cast<std::uint8_t>(std::to_integer<int>(text[5]) - '0');
    if (*n > 7) image.fileFirmwareVersion[1] = static_cast<std::uint8_t>(std::to_integer<int>(text[7]) - '0');
    return true;
}

void loadStartupFiles(SettingsImage& image, const DataFolders& folders) {
    removeInterruptedSettingsWrites(folders.state);
    readVersionFile(image, folders.resources);
    image.modifiedKeyFlags.fill(0);
    loadMacroFile(image, folders.state);
    image.working.keyAssignments = KeyAssignmentTable{};
    loadKeymapFile(image, folders.state);
    stampKeyCodes(image.working.keyAssignments);
    copyWorkingToSaved(image);
}

}  // namespace orvane
