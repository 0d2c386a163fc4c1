// The message boxes of the macro manager, chosen by LanguageCode. The logic
// returns them; the panel shows them.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

struct PanelMessage {
    std::u16string text;
    std::u16string caption;
    bool okCancel = false;  // OK and Cancel buttons; otherwise OK only
    bool operator==(const PanelMessage&) const = default;
};

enum class MacroMessage {
    RecordWithoutMacro,
    ConfirmDelete,
    DeleteWithoutMacro,
    EditCurrentDelay,
    MacroFull,
};

PanelMessage macroMessage(MacroMessage which, std::int16_t languageCode);

// Labels the panel draws that the logic decides between.
std::u16string recordButtonLabel(bool recording, std::int16_t languageCode);

// Texts of the event list's context menu.
struct MacroMenuTexts {
    std::u16string insertBefore, insertAfter, insertMouseKey, left, right, middle;
    std::u16string down, up, click, insertDelay, deleteItem;
};
MacroMenuTexts macroMenuTexts(std::int16_t languageCode);

}  // namespace orvane
