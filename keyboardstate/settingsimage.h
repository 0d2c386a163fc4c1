// The settings image: the byte-exact records the utility keeps in memory,
// mirrors in its files and exchanges with the keyboard.
//
// Every record is a plain aggregate of byte arrays whose layout is a file
// format (keymap.bin, MacroDefine.bin, profile files), so each field's offset
// is pinned with static_assert below. Multi-byte fields are little-endian in
// the files; the host is required to be little-endian so the records can be
// copied to and from the files unchanged.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

static_assert(std::endian::native == std::endian::little,
              "the settings records are little-endian memory images");

inline constexpr std::size_t kMouseDataSize = 10060;
inline constexpr std::size_t kKeyAssignmentSize = 772;
inline constexpr std::size_t kKeyAssignmentCount = 255;
inline constexpr std::size_t kKeyAssignmentTableSize = kKeyAssignmentSize * kKeyAssignmentCount;
inline constexpr std::size_t kMacroRecordSize = 894;
inline constexpr std::size_t kMacroRecordCount = 190;
inline constexpr std::size_t kMacroStoreSize = kMacroRecordSize * kMacroRecordCount;

inline constexpr std::size_t kKeyPositionCount = 108;
inline constexpr std::size_t kDeviceSlotCount = 128;
inline constexpr std::size_t kDeviceKeyTableSize = 512;
inline constexpr std::size_t kMacroSlotCount = 32;
inline constexpr std::size_t kMacroSlotSize = 192;
inline constexpr std::size_t kMacroStreamSize = 190;
inline constexpr std::size_t kKeyColorTableCount = 5;
inline constexpr std::size_t kKeyColorTableSize = 512;
inline constexpr std::size_t kPaletteColorCount = 7;
inline constexpr std::size_t kKeyEnableMaskSize = 21;
inline constexpr std::size_t kPathCapacity = 255;  // characters, the terminator excluded

inline constexpr std::int16_t kLanguageChinese = 4;
inline constexpr std::int16_t kLanguageEnglish = 9;

// Lighting effect sub-record, five bytes in this order.
struct LedEffect {
    std::uint8_t LEDEffectMode;
    std::uint8_t LEDEffectSpeed;       // 0..9 as the user sees it
    std::uint8_t LEDEffectBrightness;  // 0..50
    std::uint8_t LEDEffectColor;       // 1..8
    std::uint8_t LEDEffectDirection;   // 1..4
};
static_assert(sizeof(LedEffect) == 5);

// Effect numbers from this value up select a per-key colour table.
inline constexpr std::uint8_t kFirstKeyColorEffect = 51;

// The byte-for-byte mirror of the keyboard's state.
struct MouseData {
    std::array<std::uint8_t, 11> reserved0;
    std::uint8_t ReportRate;
    std::array<std::uint8_t, 780> reserved12;
    std::array<std::uint8_t, kDeviceKeyTableSize> DeviceKeyTable;
    std::array<std::uint8_t, kMacroSlotCount * kMacroSlotSize> MacroSlots;
    std::uint8_t reserved7448;
    std::uint8_t ResponseTime;
    LedEffect ledEffect;
    std::array<std::uint8_t, kPaletteColorCount * 3> PaletteColors;
    std::uint8_t GameMode;
    std::array<std::uint8_t, kKeyEnableMaskSize> KeyEnableMask;
    std::uint8_t WinLock;
    std::array<std::uint8_t, kKeyColorTableCount * kKeyColorTableSize> KeyColorTables;
    std::uint8_t reserved10059;
};
static_assert(sizeof(MouseData) == kMouseDataSize);
static_assert(alignof(MouseData) == 1);
static_assert(offsetof(MouseData, ReportRate) == 11);
static_assert(offsetof(MouseData, reserved12) == 12);
static_assert(offsetof(MouseData, DeviceKeyTable) == 792);
static_assert(offsetof(MouseData, MacroSlots) == 1304);
static_assert(offsetof(MouseData, reserved7448) == 7448);
static_assert(offsetof(MouseData, ResponseTime) == 7449);
static_assert(offsetof(MouseData, ledEffect) == 7450);
static_assert(offsetof(MouseData, PaletteColors) == 7455);
static_assert(offsetof(MouseData, GameMode) == 7476);
static_assert(offsetof(MouseData, KeyEnableMask) == 7477);
static_assert(offsetof(MouseData, WinLock) == 7498);
static_assert(offsetof(MouseData, KeyColorTables) == 7499);
static_assert(offsetof(MouseData, reserved10059) == 10059);

// Assignment types of a KeyAssignment record (and of a pending assignment).
enum : std::uint8_t {
    TYPE_SINGLE = 0,
    TYPE_COMBINE = 1,
    TYPE_MACRO = 2,
    TYPE_BASIC = 3,
    TYPE_PLAY_SOUND = 4,
    TYPE_STARTUP = 5,
    TYPE_OPEN_FILE = 6,
    TYPE_OPEN_FOLDER = 7,
    Type_NONE = 8,
    TYPE_UNCHOSEN = 255,
};

inline constexpr bool isHostActionType(std::uint8_t type) {
    return type >= TYPE_PLAY_SOUND && type <= TYPE_OPEN_FOLDER;
}

// Kinds of a 4-byte device key entry (byte 0).
enum : std::uint8_t {
    KIND_KEYS = 0,
    KIND_FN = 2,
    KIND_CONSUMER = 3,
    KIND_MACRO = 4,
    KIND_HOST = 10,
};

// The host's description of what one key does.
struct KeyAssignment {
    std::uint8_t keyCode;
    std::uint8_t mapType;
    std::array<std::uint8_t, 255> mapData;
    std::uint8_t keyCount;
    std::array<std::uint8_t, 2> reserved;
    std::array<char16_t, kPathCapacity + 1> actionPath;  // UTF-16LE, 0-terminated
};
static_assert(sizeof(KeyAssignment) == kKeyAssignmentSize);
static_assert(offsetof(KeyAssignment, keyCode) == 0);
static_assert(offsetof(KeyAssignment, mapType) == 1);
static_assert(offsetof(KeyAssignment, mapData) == 2);
static_assert(offsetof(KeyAssignment, keyCount) == 257);
static_assert(offsetof(KeyAssignment, reserved) == 258);
static_assert(offsetof(KeyAssignment, actionPath) == 260);

struct KeyAssignmentTable {
    std::array<KeyAssignment, kKeyAssignmentCount> records;
};
static_assert(sizeof(KeyAssignmentTable) == kKeyAssignmentTableSize);

// One recorded macro.
struct MacroRecord {
    std::array<char16_t, 255> name;  // UTF-16LE, 0-terminated; empty marks a free slot
    std::uint16_t loopCount;
    std::uint8_t options;
    std::array<std::uint8_t, kMacroStreamSize> deviceEvents;
    std::array<std::uint8_t, kMacroStreamSize> hostEvents;
    std::uint8_t reserved;
};
static_assert(sizeof(MacroRecord) == kMacroRecordSize);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, loopCount) == 510);
static_assert(offsetof(MacroRecord, options) == 512);
static_assert(offsetof(MacroRecord, deviceEvents) == 513);
static_assert(offsetof(MacroRecord, hostEvents) == 703);
static_assert(offsetof(MacroRecord, reserved) == 893);

struct MacroStore {
    std::array<MacroRecord, kMacroRecordCount> records;
};
static_assert(sizeof(MacroStore) == kMacroStoreSize);

// The pair of records that exists as a working and a saved copy.
struct SettingsCopy {
    MouseData mouseData;
    KeyAssignmentTable keyAssignments;
};

// Settings files that exist but could not be read. Each is left as it is and
// not written for the rest of the run; its records go on from their defaults.
struct UnreadableFiles {
    bool keymap;  // keymap.bin
    bool macros;  // MacroDefine.bin
};

// Where the macro of each slot went after the macro manager deleted macros:
// 0 still there, n + 1 now in slot n, kMacroSlotDeleted gone. All zero is no
// move, so a value-initialised map changes nothing.
using MacroSlotMap = std::array<std::uint8_t, kMacroSlotCount>;
inline constexpr std::uint8_t kMacroSlotDeleted = 0xFF;

// What the macro manager committed (MacroDefine.bin, the working copy) that
// the keyboard has not received yet. `moved` maps the saved key table's
// numbering (the keyboard's) to MacroStore's.
struct UnsentMacroChanges {
    bool any;
    MacroSlotMap moved;
};

// The whole in-memory settings image. Zero-filled when value-initialised.
struct SettingsImage {
    SettingsCopy working;
    SettingsCopy saved;
    MacroStore macroStore;
    std::array<std::uint8_t, 4> deviceFirmwareVersion;  // DeviceFirmwareVersion: major, minor, 0, 0
    std::array<std::uint8_t, 4> fileFirmwareVersion;    // FileFirmwareVersion: from VER.bin
    std::array<std::uint8_t, 255> modifiedKeyFlags;     // ModifiedKeyFlags, per key position
    std::int16_t languageCode;                          // LanguageCode: 4 Chinese, 9 English
    UnreadableFiles unreadableFiles;                    // false until a load finds one
    UnsentMacroChanges unsentMacroChanges;              // none until the macro manager's OK
};

// The process-wide image the windows and the device threads share.
SettingsImage& settingsImage();

// Copy operations between the working and the saved copy.
void copyWorkingMouseDataToSaved(SettingsImage& image);
void copyWorkingToSaved(SettingsImage& image);
void copySavedToWorking(SettingsImage& image);

// ---- Field access -------------------------------------------------------

struct KeyEnableBit {
    std::size_t byte;
    std::uint8_t mask;
};
// Device slot n is bit (n mod 6) of byte (n div 6); bits 6 and 7 stay unused.
constexpr KeyEnableBit keyEnableBit(std::size_t slot) {
    return {slot / 6, static_cast<std::uint8_t>(1u << (slot % 6))};
}
bool isKeyEnabled(const MouseData& data, std::size_t slot);
void setKeyEnabled(MouseData& data, std::size_t slot, bool enabled);

// The left Windows key's slot, the one WinLock acts on.
inline constexpr std::size_t kLeftWindowsSlot = 6;
// Folds WinLock into KeyEnableMask, as done before every write to the keyboard.
void applyWinLock(MouseData& data);

// A 4-byte device key entry inside DeviceKeyTable at a byte offset (multiple of 4).
std::span<std::uint8_t, 4> deviceKeyEntry(MouseData& data, std::size_t byteOffset);
std::span<const std::uint8_t, 4> deviceKeyEntry(const MouseData& data, std::size_t byteOffset);

std::span<std::uint8_t, kMacroSlotSize> macroSlot(MouseData& data, std::size_t slot);
std::span<const std::uint8_t, kMacroSlotSize> macroSlot(const MouseData& data, std::size_t slot);

std::span<std::uint8_t, kKeyColorTableSize> keyColorTable(MouseData& data, std::size_t table);
std::span<const std::uint8_t, kKeyColorTableSize> keyColorTable(const MouseData& data,
                                                                 std::size_t table);

// Palette colour i (0..6) as red, green, blue.
std::span<std::uint8_t, 3> paletteColor(MouseData& data, std::size_t index);
std::span<const std::uint8_t, 3> paletteColor(const MouseData& data, std::size_t index);

// ---- Fixed UTF-16 buffers -----------------------------------------------

// Text of a 0-terminated fixed buffer (stops at the terminator or the end).
std::u16string_view fixedText(std::span<const char16_t> buffer);
// Stores text with its terminator and zeroes the rest. Refuses (returns false,
// buffer unchanged) text that does not fit with its terminator.
bool setFixedText(std::span<char16_t> buffer, std::u16string_view text);

}  // namespace orvane
