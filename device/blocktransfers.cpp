#include "device/blocktransfers.h"

#include <algorithm>

#include "device/commands.h"

namespace orvane {
namespace {

// Pacing of one block command (ms); -1 marks "no wait at all".
struct BlockPacing {
    int beforeFetch;
    int afterFetch;
    int afterEachReport;
};

// Announce, fetch (and drop) the reply frame, then read the chunks into block.
bool readBlock(CommandHandle& handle, const Frame& announce, BlockPacing pacing,
               std::span<std::uint8_t> block, std::size_t reports) {
    handle.sendFeature(announce);
    if (pacing.beforeFetch >= 0) handle.wait(pacing.beforeFetch);
    Frame ignored{};
    handle.getFeature(ignored);
    if (pacing.afterFetch >= 0) handle.wait(pacing.afterFetch);
    bool whole = true;
    for (std::size_t i = 0; i < reports; ++i) {
        DataReport report{};
        const auto got = handle.readReport(report);
        if (got == CommandHandle::ReadResult::Report) {
            const std::size_t offset = i * kDataChunkSize;
            const std::size_t count = std::min(kDataChunkSize, block.size() - offset);
            std::copy_n(report.begin() + 1, count, block.begin() + static_cast<std::ptrdiff_t>(offset));
        } else {
            whole = false;
        }
        if (pacing.afterEachReport >= 0) handle.wait(pacing.afterEachReport);
        if (!handle.isOpen()) return false;  // gone: the rest cannot arrive
        // A keyboard that sent nothing in time sends no more for this block;
        // waiting out each remaining report would only stall the sequence.
        if (got == CommandHandle::ReadResult::Nothing) return false;
    }
    return whole;
}

// Announce, wait, then write the chunks; a short block is padded with zeros.
bool writeBlock(CommandHandle& handle, const Frame& announce, int announceWait, int afterEachReport,
                std::span<const std::uint8_t> block, std::size_t reports, int betweenReports = -1) {
    bool all = handle.sendFeature(announce);
    handle.wait(announceWait);
    for (std::size_t i = 0; i < reports; ++i) {
        DataReport report{};
        const std::size_t offset = i * kDataChunkSize;
        const std::size_t count = std::min(kDataChunkSize, block.size() - offset);
        std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(offset), count, report.begin() + 1);
        all = handle.writeReport(report) && all;
        if (afterEachReport >= 0) handle.wait(afterEachReport);
        if (betweenReports >= 0 && i + 1 < reports) handle.wait(betweenReports);
        if (!handle.isOpen()) return false;
    }
    return all;
}

std::uint8_t idx(std::size_t i) { return static_cast<std::uint8_t>(i); }

}  // namespace

bool ReadKeyTable(CommandHandle& handle, MouseData& data) {
    return readBlock(handle, makeFrame(kReadKeyTable), {-1, -1, -1}, data.DeviceKeyTable, kKeyTableReports);
}

bool WriteKeyTable(CommandHandle& handle, const MouseData& data) {
    const bool ok = writeBlock(handle, makeFrame(kWriteKeyTable, {0, 0, kKeyTableReports, 0, 0, 0}), 50, -1,
                               data.DeviceKeyTable, kKeyTableReports);
    handle.wait(60);
    return ok;
}

bool ReadKeyEnableMask(CommandHandle& handle, MouseData& data) {
    const bool ok = readBlock(handle, makeFrame(kReadKeyEnableMask, {0, 0, kKeyEnableMaskSize, 0, 0, 0}),
                              {-1, -1, -1}, data.KeyEnableMask, 1);
    if (ok) {
        const auto bit = keyEnableBit(kLeftWindowsSlot);
        data.WinLock = (data.KeyEnableMask[bit.byte] & bit.mask) == 0 ? 1 : 0;
    }
    return ok;
}

bool WriteKeyEnableMask(CommandHandle& handle, const MouseData& data) {
    // One report: the 21 mask bytes, the other 43 data bytes zero.
    return writeBlock(handle, makeFrame(kWriteKeyEnableMask, {0, 0, kKeyEnableMaskSize, 0, 0, 0}), 10, -1,
                      data.KeyEnableMask, 1);
}

bool ReadMacroSlot(CommandHandle& handle, MouseData& data, std::size_t slot) {
    if (slot >= kMacroSlotCount) return false;
    return readBlock(handle, makeFrame(kReadMacroSlot, {0, idx(slot), 0, 0, 0, 0}), {-1, -1, -1},
                     macroSlot(data, slot), kMacroSlotReports);
}

bool WriteMacroSlot(CommandHandle& handle, const MouseData& data, std::size_t slot) {
    if (slot >= kMacroSlotCount) return false;
    // The thread yields between the slot's reports.
    return writeBlock(handle, makeFrame(kWriteMacroSlot, {0, idx(slot), kMacroSlotReports, 0, 0, 0}), 1, -1,
                      macroSlot(data, slot), kMacroSlotReports, 0);
}

bool ReadKeyColorTable(CommandHandle& handle, MouseData& data, std::size_t table) {
    if (table >= kKeyColorTableCount) return false;
    return readBlock(handle, makeFrame(kReadKeyColorTable, {0, idx(table), kKeyColorTableReports, 0, 0, 0}),
                     {5, 5, 5}, keyColorTable(data, table), kKeyColorTableReports);
}

bool WriteKeyColorTable(CommandHandle& handle, const MouseData& data, std::size_t table) {
    if (table >= kKeyColorTableCount) return false;
    return writeBlock(handle, makeFrame(kWriteKeyColorTable, {0, idx(table), kKeyColorTableReports, 0, 0, 0}), 5,
                      5, keyColorTable(data, table), kKeyColorTableReports);
}

}  // namespace orvane
