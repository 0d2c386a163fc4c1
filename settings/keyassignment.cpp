#include "settings/keyassignment.h"

#include <algorithm>

#include "keyboardstate/keylabels.h"
#include "keyboardstate/keytables.h"
#include "settings/macroslots.h"
#include "settings/settingsfiles.h"

namespace orvane {
namespace {

// The host-action types carry this constant in mapData; it has no other use.
constexpr std::array<std::uint8_t, 4> kHostActionData = {3, 0, 0x23, 2};
constexpr std::uint8_t kMediaPlayerUsage = 0x83;

void setEntry(std::span<std::uint8_t, 4> entry, std::array<std::uint8_t, 4> value) {
    std::copy(value.begin(), value.end(), entry.begin());
}

void clearRecord(KeyAssignment& r) {
    r.mapType = TYPE_SINGLE;
    r.keyCount = 0;
    r.mapData.fill(0);
}

// A single key's entry; the media keys' usages are consumer-page usages.
std::array<std::uint8_t, 4> singleKeyEntry(std::uint8_t usage) {
    if (usage == kMediaPlayerUsage) return {KIND_CONSUMER, 0, 0x83, 1};
    if (usage == 0xCD || usage == 0xE9 || usage == 0xEA) return {KIND_CONSUMER, 0, usage, 0};
    return {KIND_KEYS, 0, usage, 0};
}

AssignmentResult writeKeymap(const SettingsImage& image, const std::filesystem::path& folder) {
    return writeKeymapFromWorking(image, folder) ? AssignmentResult::Applied
                                                 : AssignmentResult::WriteFailed;
}

}  // namespace

bool setPendingPath(PendingAssignment& pending, std::u16string_view path) {
    if (path.find(u'\0') != std::u16string_view::npos) return false;
    return setFixedText(pending.PathOrFileName, path);
}

bool setPendingFunctionName(PendingAssignment& pending, std::u16string_view name) {
    if (name.find(u'\0') != std::u16string_view::npos) return false;
    return setFixedText(pending.FunctionName, name);
}

AssignmentResult ApplyKeyAssignment(SettingsImage& image, PendingAssignment& pending,
                                    std::size_t p, const std::filesystem::path& dataFolder) {
    if (p >= kKeyPositionCount) return AssignmentResult::Refused;
    const std::u16string_view path = fixedText(pending.PathOrFileName);
    if (isHostActionType(pending.mapType) && pending.ItemCountOnList != kDefaultButtonCount &&
        path.size() > kPathCapacity) {
        return AssignmentResult::Refused;  // unterminated: would not fit actionPath
    }

    MouseData& data = image.working.mouseData;
    KeyAssignment& r = image.working.keyAssignments.records[p];
    // Entries below are built from the record's own code; whatever left the
    // record, it is always the position's own key.
    r.keyCode = VirtualKeyDefaults[p];
    auto e = deviceKeyEntry(data, KeyPositionEntryMap[p]);
    const std::size_t slot = deviceSlotOfPosition(p);
    std::uint8_t& modified = image.modifiedKeyFlags[p];

    if (pending.ItemCountOnList == kDefaultButtonCount) {
        clearRecord(r);
        setEntry(e, {KIND_KEYS, 0, keyUsage(r.keyCode), 0});
        setKeyEnabled(data, slot, true);
        pending.KeyEnabled = 1;
        return writeKeymap(image, dataFolder);
    }

    const auto count = static_cast<std::uint8_t>(pending.ItemCountOnList & 0xFF);
    switch (pending.mapType) {
        case TYPE_SINGLE:
            r.mapType = TYPE_SINGLE;
            r.keyCount = count;
            r.mapData = pending.CapturedKeys;
            if (pending.ItemCountOnList == 1) {
                if (pending.CapturedKeys[0] == VirtualKeyDefaults[p]) {
                    clearRecord(r);  // its own key: back to unassigned
                    modified = 0;
                } else {
                    modified = 1;
                }
                setEntry(e, singleKeyEntry(keyUsage(pending.CapturedKeys[0])));
            }
            break;
        case TYPE_COMBINE:
            r.mapType = TYPE_COMBINE;
            r.keyCount = count;
            r.mapData = pending.CapturedKeys;
            // Usages go in as they are: a combination has no consumer form.
            setEntry(e, {KIND_KEYS, keyUsage(pending.CapturedKeys[0]),
                         keyUsage(pending.CapturedKeys[1]), keyUsage(pending.CapturedKeys[2])});
            if (pending.ItemCountOnList > 1) modified = 1;
            break;
        case TYPE_MACRO: {
            r.mapType = TYPE_MACRO;
            const auto index = static_cast<std::uint8_t>(pending.MacroIndex & 0xFF);
            std::copy_n(std::array<std::uint8_t, 4>{KIND_MACRO, 1, index, 0}.begin(), 4,
                        r.mapData.begin());
            // Only the keyboard's 32 macro slots can be played.
            if (pending.MacroIndex >= 0 && pending.MacroIndex < static_cast<int>(kMacroSlotCount)) {
                modified = 1;
                setEntry(e, {KIND_MACRO, 1, index, 0});
                fillMacroSlots(data, image.macroStore);
            }
            break;
        }
        case TYPE_BASIC: {
            r.mapType = TYPE_BASIC;
            modified = 1;
            const BasicFunction* row =
                findBasicFunctionByName(fixedText(pending.FunctionName), image.languageCode);
            if (row != nullptr) {
                setEntry(e, row->entry);
                std::copy(row->entry.begin(), row->entry.end(), r.mapData.begin());
            }
            break;
        }
        case TYPE_PLAY_SOUND:
        case TYPE_STARTUP:
        case TYPE_OPEN_FILE:
        case TYPE_OPEN_FOLDER:
            modified = 1;
            setEntry(e, {KIND_HOST, 0, r.keyCode, 0});
            r.mapType = pending.mapType;
            r.keyCode = VirtualKeyDefaults[p];
            std::copy(kHostActionData.begin(), kHostActionData.end(), r.mapData.begin());
            setFixedText(r.actionPath, path);
            break;
        case Type_NONE:
            clearRecord(r);
            setEntry(e, {KIND_KEYS, 0, keyUsage(r.keyCode), 0});
            setKeyEnabled(data, slot, true);
            break;
        default:  // TYPE_UNCHOSEN and anything else: nothing to apply
            break;
    }
    return writeKeymap(image, dataFolder);
}

AssignmentResult applyKeyEnabled(SettingsImage& image, const PendingAssignment& pending,
                                 std::size_t p, const std::filesystem::path& dataFolder) {
    if (p >= kKeyPositionCount) return AssignmentResult::Refused;
    const bool enabled = pending.KeyEnabled == 1;
    setKeyEnabled(image.working.mouseData, deviceSlotOfPosition(p), enabled);
    if (!enabled) image.modifiedKeyFlags[p] = 1;
    return writeKeymap(image, dataFolder);
}

AssignmentResult confirmKeyAssignment(SettingsImage& image, PendingAssignment& pending,
                                      std::size_t p, const std::filesystem::path& dataFolder) {
    if (p >= kKeyPositionCount) return AssignmentResult::Refused;
    image.modifiedKeyFlags[p] = 0;
    const AssignmentResult applied = ApplyKeyAssignment(image, pending, p, dataFolder);
    if (applied == AssignmentResult::Refused) return applied;
    const AssignmentResult enabled = applyKeyEnabled(image, pending, p, dataFolder);
    return applied == AssignmentResult::Applied ? enabled : applied;
}

std::u16string_view storedFunctionName(const KeyAssignment& record, std::int16_t languageCode) {
    const std::span<const std::uint8_t, 4> entry(record.mapData.data(), 4);
    const BasicFunction* row = findBasicFunctionByEntry(entry);
    return row == nullptr ? std::u16string_view{} : basicFunctionName(*row, languageCode);
}

const KeyAssignment* findHostActionRecord(const KeyAssignmentTable& table, std::uint8_t keyCode) {
    for (const KeyAssignment& record : table.records) {
        if (isHostActionType(record.mapType) && record.keyCode == keyCode) return &record;
    }
    return nullptr;
}

}  // namespace orvane
