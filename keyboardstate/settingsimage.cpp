#include "keyboardstate/settingsimage.h"

#include <algorithm>

namespace orvane {

SettingsImage& settingsImage() {
    // Static storage: zero-filled at start, never freed, like the records it holds.
    static SettingsImage image{};
    return image;
}

void copyWorkingMouseDataToSaved(SettingsImage& image) {
    image.saved.mouseData = image.working.mouseData;
}

void copyWorkingToSaved(SettingsImage& image) {
    image.saved = image.working;
}

void copySavedToWorking(SettingsImage& image) {
    image.working = image.saved;
}

// Slots 126 and 127 would fall in a 22nd byte the mask does not have; they
// belong to no key position, so they read as disabled and cannot be set.
bool isKeyEnabled(const MouseData& data, std::size_t slot) {
    const KeyEnableBit bit = keyEnableBit(slot);
    if (bit.byte >= kKeyEnableMaskSize) return false;
    return (data.KeyEnableMask[bit.byte] & bit.mask) != 0;
}

void setKeyEnabled(MouseData& data, std::size_t slot, bool enabled) {
    const KeyEnableBit bit = keyEnableBit(slot);
    if (bit.byte >= kKeyEnableMaskSize) return;
    if (enabled) {
        data.KeyEnableMask[bit.byte] |= bit.mask;
    } else {
        data.KeyEnableMask[bit.byte] &= static_cast<std::uint8_t>(~bit.mask);
    }
}

void applyWinLock(MouseData& data) {
    constexpr KeyEnableBit windowsKey = keyEnableBit(kLeftWindowsSlot);
    if (data.WinLock == 1) {
        // The unused bits 6 and 7 are cleared with it: the keyboard reads 0x3E as locked.
        data.KeyEnableMask[windowsKey.byte] &= static_cast<std::uint8_t>(0x3F & ~windowsKey.mask);
    } else {
        data.KeyEnableMask[windowsKey.byte] |= windowsKey.mask;
    }
}

std::span<std::uint8_t, 4> deviceKeyEntry(MouseData& data, std::size_t byteOffset) {
    return std::span<std::uint8_t, 4>(data.DeviceKeyTable.data() + (byteOffset & 0x1FC), 4);
}

std::span<const std::uint8_t, 4> deviceKeyEntry(const MouseData& data, std::size_t byteOffset) {
    return std::span<const std::uint8_t, 4>(data.DeviceKeyTable.data() + (byteOffset & 0x1FC), 4);
}

std::span<std::uint8_t, kMacroSlotSize> macroSlot(MouseData& data, std::size_t slot) {
    return std::span<std::uint8_t, kMacroSlotSize>(
        data.MacroSlots.data() + kMacroSlotSize * (slot % kMacroSlotCount), kMacroSlotSize);
}

std::span<const std::uint8_t, kMacroSlotSize> macroSlot(const MouseData& data, std::size_t slot) {
    return std::span<const std::uint8_t, kMacroSlotSize>(
        data.MacroSlots.data() + kMacroSlotSize * (slot % kMacroSlotCount), kMacroSlotSize);
}

std::span<std::uint8_t, kKeyColorTableSize> keyColorTable(MouseData& data, std::size_t table) {
    return std::span<std::uint8_t, kKeyColorTableSize>(
        data.KeyColorTables.data() + kKeyColorTableSize * (table % kKeyColorTableCount),
        kKeyColorTableSize);
}

std::span<const std::uint8_t, kKeyColorTableSize> keyColorTable(const MouseData& data,
                                                                 std::size_t table) {
    return std::span<const std::uint8_t, kKeyColorTableSize>(
        data.KeyColorTables.data() + kKeyColorTableSize * (table % kKeyColorTableCount),
        kKeyColorTableSize);
}

std::span<std::uint8_t, 3> paletteColor(MouseData& data, std::size_t index) {
    return std::span<std::uint8_t, 3>(data.PaletteColors.data() + 3 * (index % kPaletteColorCount),
                                      3);
}

std::span<const std::uint8_t, 3> paletteColor(const MouseData& data, std::size_t index) {
    return std::span<const std::uint8_t, 3>(
        data.PaletteColors.data() + 3 * (index % kPaletteColorCount), 3);
}

std::u16string_view fixedText(std::span<const char16_t> buffer) {
    const auto end = std::find(buffer.begin(), buffer.end(), u'\0');
    return std::u16string_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin()));
}

bool setFixedText(std::span<char16_t> buffer, std::u16string_view text) {
    if (buffer.empty() || text.size() + 1 > buffer.size()) return false;
    std::fill(buffer.begin(), buffer.end(), u'\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    return true;
}

}  // namespace orvane
