// Read-all: every device-held field of MouseData, read from the keyboard.
#pragma once

#include <optional>

#include "device/commands.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// SetGameMode 1 and 10 ms, then the lighting effect, palette, game mode,
// report rate, response time, key table, enable mask, 32 macro slots and 5
// colour tables. Stops early once the keyboard is gone: the fields it would
// still have filled keep their values, exactly as failed transfers would.
void readAll(CommandHandle& handle, MouseData& data);

// The start-up thread's variant: SetGameMode 1 without the extra wait, the
// firmware version, then the same reads with a yield after each macro slot.
// Returns the version when the keyboard reported one.
std::optional<FirmwareVersion> readAllThreadSequence(CommandHandle& handle, MouseData& data);

// The five colour tables (device arrival reads them once more).
void readKeyColorTables(CommandHandle& handle, MouseData& data);

}  // namespace orvane
