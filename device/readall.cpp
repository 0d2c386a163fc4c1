#include "device/readall.h"

#include "device/blocktransfers.h"

namespace orvane {
namespace {

// Steps shared by read-all and the start-up thread, after the game-mode frame.
void readFields(CommandHandle& handle, MouseData& data, bool yieldAfterSlots) {
    GetLightingEffect(handle, data);
    for (std::size_t i = 0; i < kPaletteColorCount && handle.isOpen(); ++i) GetPaletteColor(handle, data, i);
    if (!handle.isOpen()) return;
    GetGameMode(handle, data);
    GetReportRate(handle, data);
    GetResponseTime(handle, data);
    if (!handle.isOpen()) return;
    ReadKeyTable(handle, data);
    ReadKeyEnableMask(handle, data);
    for (std::size_t s = 0; s < kMacroSlotCount && handle.isOpen(); ++s) {
        ReadMacroSlot(handle, data, s);
        if (yieldAfterSlots) handle.wait(0);
    }
    readKeyColorTables(handle, data);
}

}  // namespace

void readKeyColorTables(CommandHandle& handle, MouseData& data) {
    for (std::size_t t = 0; t < kKeyColorTableCount && handle.isOpen(); ++t) ReadKeyColorTable(handle, data, t);
}

void readAll(CommandHandle& handle, MouseData& data) {
    if (!handle.isOpen()) return;
    SetGameMode(handle, data, 1);
    handle.wait(10);
    if (!handle.isOpen()) return;
    readFields(handle, data, false);
}

std::optional<FirmwareVersion> readAllThreadSequence(CommandHandle& handle, MouseData& data) {
    if (!handle.isOpen()) return std::nullopt;
    SetGameMode(handle, data, 1);
    const auto version = GetFirmwareVersion(handle);
    if (handle.isOpen()) readFields(handle, data, true);
    return version;
}

}  // namespace orvane
