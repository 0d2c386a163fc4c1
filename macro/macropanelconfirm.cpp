#include "macro/macropanelconfirm.h"

#include "settings/macroslots.h"

namespace orvane {

PanelMessage macroSaveFailedMessage(std::int16_t languageCode) {
    if (languageCode == kLanguageChinese) {
        return {u"无法写入 MacroDefine.bin 或 keymap.bin，宏的更改未保存到磁盘。\n", u"宏管理"};
    }
    return {u"MacroDefine.bin or keymap.bin could not be written: the macro changes are not saved on disk.\n",
            u"Macro Manager"};
}

std::optional<PanelMessage> confirmMacroPanel(SettingsImage& image, MacroPanelController& panel,
                                              const std::filesystem::path& dataFolder) {
    const MacroSlotMoves moves = panel.takeSlotMoves();
    applyMacroSlotMoves(image, moves);
    // The renumbering is part of what OK commits: a Cancel of the main window
    // must not take the keys back to the old numbering.
    noteUnsentMacroChanges(image, moves.map());
    if (confirmMacroManager(image, panel.session(), dataFolder)) return std::nullopt;
    return macroSaveFailedMessage(image.languageCode);
}

}  // namespace orvane
