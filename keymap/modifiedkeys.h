// Which keys the main window highlights as changed from their factory meaning.
#pragma once

#include "settings/settingsimage.h"

namespace orvane {

// Recomputes ModifiedKeyFlags for positions 0..107 from the working copy:
// a key is modified when its entry's usage byte differs from the factory
// table, when its record holds an assignment other than its own key, or when
// it is disabled. Fn (position 100) is never flagged.
void recomputeModifiedKeyFlags(SettingsImage& image);

}  // namespace orvane
