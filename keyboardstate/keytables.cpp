#include "keyboardstate/keytables.h"

#include <algorithm>

namespace orvane {

// Positions run row by row across the keyboard picture: the function row
// (0..15), the four media keys without a picture rectangle (16..19), then the
// number, top letter, home, bottom and space rows with the keypad at the end
// of each.
const std::array<std::uint16_t, kKeyPositionCount> KeyPositionEntryMap = {
    20, 68, 92, 116, 140, 164, 188, 212, 236, 260, 284, 308,
    332, 356, 380, 404, 428, 452, 476, 500, 16, 40, 64, 88,
    112, 136, 160, 184, 208, 232, 256, 280, 304, 328, 352, 376,
    400, 424, 448, 472, 496, 12, 36, 60, 84, 108, 132, 156,
    180, 204, 228, 252, 276, 300, 324, 348, 372, 396, 420, 444,
    468, 488, 8, 32, 56, 80, 104, 128, 152, 176, 200, 224,
    248, 272, 320, 416, 440, 464, 4, 28, 52, 76, 100, 124,
    148, 172, 196, 220, 244, 292, 364, 412, 436, 460, 480, 0,
    24, 48, 120, 216, 240, 264, 312, 336, 360, 384, 408, 456,
};

namespace {

// The usage byte each position's own key produces on the keyboard.
constexpr std::array<std::uint8_t, kKeyPositionCount> kPositionUsage = {
    0x29, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44,
    0x45, 0x46, 0x47, 0x48, 0xEA, 0x83, 0xCD, 0xE9, 0x35, 0x1E, 0x1F, 0x20,
    0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x2D, 0x2E, 0x2A, 0x49, 0x4A,
    0x4B, 0x53, 0x54, 0x55, 0x56, 0x2B, 0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C,
    0x18, 0x0C, 0x12, 0x13, 0x2F, 0x30, 0x32, 0x4C, 0x4D, 0x4E, 0x5F, 0x60,
    0x61, 0x57, 0x39, 0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F,
    0x33, 0x34, 0x28, 0x5C, 0x5D, 0x5E, 0xE1, 0x1D, 0x1B, 0x06, 0x19, 0x05,
    0x11, 0x10, 0x36, 0x37, 0x38, 0xE5, 0x52, 0x59, 0x5A, 0x5B, 0x58, 0xE0,
    0xE3, 0xE2, 0x2C, 0xE6, 0x65, 0x65, 0xE4, 0x50, 0x51, 0x4F, 0x62, 0x63,
};

struct SlotException {
    std::size_t slot;
    std::array<std::uint8_t, 4> entry;
};

// Factory entries that are not a plain {0, 0, own usage, 0}.
constexpr std::array<SlotException, 12> kDefaultExceptions = {{
    {60, {0x02, 0x00, 0x00, 0x00}},   // Fn
    {107, {0x03, 0x00, 0xEA, 0x00}},  // consumer volume decrement
    {113, {0x03, 0x00, 0x83, 0x01}},  // consumer media player
    {119, {0x03, 0x00, 0xCD, 0x00}},  // consumer play/pause
    {125, {0x03, 0x00, 0xE9, 0x00}},  // consumer volume increment
    {81, {0x00, 0x00, 0x31, 0x00}},   // backslash: 0x31, not the label table's 0x32
    {11, {0x00, 0x00, 0x32, 0x00}},   // slots without a position
    {18, {0x00, 0x00, 0x91, 0x00}},
    {48, {0x00, 0x00, 0x90, 0x00}},
    {79, {0x00, 0x00, 0x28, 0x00}},
    {126, {0x00, 0xE0, 0x00, 0x00}},
    {127, {0x00, 0xE1, 0x00, 0x00}},
}};

std::array<std::uint8_t, kDeviceKeyTableSize> buildDefaultDeviceKeyTable() {
    std::array<std::uint8_t, kDeviceKeyTableSize> table{};
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        table[KeyPositionEntryMap[p] + 2u] = kPositionUsage[p];
    }
    for (const auto& e : kDefaultExceptions) {
        std::copy(e.entry.begin(), e.entry.end(), table.begin() + 4 * static_cast<std::ptrdiff_t>(e.slot));
    }
    return table;
}

}  // namespace

const std::array<std::uint8_t, kDeviceKeyTableSize> DefaultDeviceKeyTable = buildDefaultDeviceKeyTable();

using G = BasicFunctionGroup;
const std::array<BasicFunction, 23> BasicFunctionTable = {{
    {u"Search", u"搜索", G::TopLevel, {0x00, 0xE3, 0x09, 0x00}},
    {u"Run", u"运行", G::TopLevel, {0x00, 0xE3, 0x15, 0x00}},
    {u"Media Player", u"多媒体播放器", G::Media, {0x03, 0x00, 0x83, 0x01}},
    {u"Prev", u"上一曲", G::Media, {0x03, 0x00, 0xB6, 0x00}},
    {u"Next", u"下一曲", G::Media, {0x03, 0x00, 0xB5, 0x00}},
    {u"Stop/Play", u"停止-播放", G::Media, {0x03, 0x00, 0xCD, 0x00}},
    {u"Pause", u"暂停", G::Media, {0x03, 0x00, 0xB7, 0x00}},
    {u"Vol+", u"音量+", G::Media, {0x03, 0x00, 0xE9, 0x00}},
    {u"Vol-", u"音量-", G::Media, {0x03, 0x00, 0xEA, 0x00}},
    {u"Mute", u"静音", G::Media, {0x03, 0x00, 0xE2, 0x00}},
    {u"New", u"新建", G::Shortcut, {0x00, 0xE0, 0x11, 0x00}},
    {u"Cut", u"剪切", G::Shortcut, {0x00, 0xE0, 0x1B, 0x00}},
    {u"Copy", u"拷贝", G::Shortcut, {0x00, 0xE0, 0x06, 0x00}},
    {u"Paste", u"粘贴", G::Shortcut, {0x00, 0xE0, 0x19, 0x00}},
    {u"Save", u"保存", G::Shortcut, {0x00, 0xE0, 0x16, 0x00}},
    {u"Print", u"打印", G::Shortcut, {0x00, 0xE0, 0x13, 0x00}},
    {u"Select All", u"全选", G::Shortcut, {0x00, 0xE0, 0x04, 0x00}},
    {u"Max", u"最大化", G::Windows, {0x00, 0xE2, 0x2C, 0x1B}},
    {u"Min", u"最小化", G::Windows, {0x00, 0xE2, 0x2C, 0x11}},
    {u"Computer", u"我的电脑", G::TopLevel, {0x03, 0x00, 0x94, 0x01}},
    {u"Task Management", u"任务管理器", G::TopLevel, {0x00, 0xE0, 0xE2, 0x4C}},
    {u"Homepage", u"浏览器-主页", G::TopLevel, {0x03, 0x00, 0x23, 0x02}},
    {u"Close", u"关闭窗口", G::TopLevel, {0x00, 0xE2, 0x3D, 0x00}},
}};

std::u16string_view basicFunctionGroupName(BasicFunctionGroup group, std::int16_t languageCode) {
    const bool chinese = languageCode == kLanguageChinese;
    switch (group) {
        case G::Media: return chinese ? u"多媒体" : u"Media";
        case G::Shortcut: return chinese ? u"快捷健" : u"Shortcut";
        case G::Windows: return u"Windows";
        case G::TopLevel: break;
    }
    return u"";
}

std::u16string_view basicFunctionName(const BasicFunction& row, std::int16_t languageCode) {
    return languageCode == kLanguageChinese ? row.chinese : row.english;
}

const BasicFunction* findBasicFunctionByName(std::u16string_view name, std::int16_t languageCode) {
    for (const auto& row : BasicFunctionTable) {
        if (basicFunctionName(row, languageCode) == name) return &row;
    }
    return nullptr;
}

const BasicFunction* findBasicFunctionByEntry(std::span<const std::uint8_t, 4> entry) {
    for (const auto& row : BasicFunctionTable) {
        if (std::equal(row.entry.begin(), row.entry.end(), entry.begin())) return &row;
    }
    return nullptr;
}

}  // namespace orvane
