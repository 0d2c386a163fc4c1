#include "settings/settingsfiles.h"

#include <algorithm>
#include <memory>

#include "settings/keycodes.h"
#include "settings/atomicfile.h"
#include "settings/interruptedwrites.h"

namespace orvane {
namespace fs = std::filesystem;

void stampKeyCodes(KeyAssignmentTable& table) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        table.records[p].keyCode = VirtualKeyDefaults[p];
    }
}

bool writeKeymapFile(const fs::path& dataFolder, const MouseData& mouseData,
                     const KeyAssignmentTable& keyAssignments) {
    return writeFileAtomically(dataFolder / kKeymapFileName,
                               {bytesOf(mouseData), bytesOf(keyAssignments)});
}

bool writeKeymapFromWorking(const SettingsImage& image, const fs::path& dataFolder) {
    return writeKeymapFile(dataFolder, image.working.mouseData, image.working.keyAssignments);
}

bool writeKeymapFromSaved(const SettingsImage& image, const fs::path& dataFolder) {
    return writeKeymapFile(dataFolder, image.saved.mouseData, image.saved.keyAssignments);
}

std::optional<std::size_t> readSettingsPair(const fs::path& file, MouseData& mouseData,
                                            KeyAssignmentTable& keyAssignments) {
    // Read into scratch first: a short file fills only what it reaches and the
    // rest of the records keep their contents.
    static_assert(sizeof(MouseData) + sizeof(KeyAssignmentTable) == kKeymapFileSize);
    auto scratch = std::make_unique<std::array<std::byte, kKeymapFileSize>>();
    const auto n = readFilePrefix(file, *scratch);
    if (!n) return std::nullopt;
    const std::size_t first = std::min(*n, sizeof(MouseData));
    std::copy_n(scratch->begin(), first, writableBytesOf(mouseData).begin());
    if (*n > sizeof(MouseData)) {
        std::copy_n(scratch->begin() + sizeof(MouseData), *n - sizeof(MouseData),
                    writableBytesOf(keyAssignments).begin());
    }
    return n;
}

FileLoad loadKeymapFile(SettingsImage& image, const fs::path& dataFolder, KeymapPart part) {
    const fs::path file = dataFolder / kKeymapFileName;
    if (part == KeymapPart::KeyAssignmentsOnly) {
        // The device half is read into a scratch record that is thrown away.
        auto scratch = std::make_unique<MouseData>(image.working.mouseData);
        if (readSettingsPair(file, *scratch, image.working.keyAssignments)) {
            stampKeyCodes(image.working.keyAssignments);
            return FileLoad::Loaded;
        }
    } else if (readSettingsPair(file, image.working.mouseData, image.working.keyAssignments)) {
        stampKeyCodes(image.working.keyAssignments);
        return FileLoad::Loaded;
    }
    image.working.keyAssignments = KeyAssignmentTable{};
    return writeKeymapFromWorking(image, dataFolder) ? FileLoad::Created : FileLoad::CreateFailed;
}

FileLoad loadMacroFile(SettingsImage& image, const fs::path& dataFolder) {
    const fs::path file = dataFolder / kMacroFileName;
    if (readFilePrefix(file, writableBytesOf(image.macroStore))) return FileLoad::Loaded;
    return writeMacroFile(image.macroStore, dataFolder) ? FileLoad::Created
                                                        : FileLoad::CreateFailed;
}

bool writeMacroFile(const MacroStore& store, const fs::path& dataFolder) {
    return writeFileAtomically(dataFolder / kMacroFileName, {bytesOf(store)});
}

bool settleAfterFactoryReset(SettingsImage& image, const fs::path& dataFolder) {
    image.modifiedKeyFlags.fill(0);
    image.working.mouseData.KeyEnableMask.fill(0xFF);
    image.working.keyAssignments = KeyAssignmentTable{};
    stampKeyCodes(image.working.keyAssignments);
    if (!writeKeymapFromWorking(image, dataFolder)) return false;
    copyWorkingToSaved(image);
    return true;
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

void loadStartupFiles(SettingsImage& image, const std::filesystem::path& dataFolder) {
    removeInterruptedSettingsWrites(dataFolder);
    readVersionFile(image, dataFolder);
    image.modifiedKeyFlags.fill(0);
    loadMacroFile(image, dataFolder);
    image.working.keyAssignments = KeyAssignmentTable{};
    loadKeymapFile(image, dataFolder);
    stampKeyCodes(image.working.keyAssignments);
    copyWorkingToSaved(image);
}

}  // namespace orvane
