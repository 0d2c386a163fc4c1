#include "macros/model/macropanelconfirm.h"

#include "settings/macroslots.h"

namespace orvane {

PanelMessage macroSaveFailedMessage(std::int16_t languageCode, MacroFilesWritten written) {
    if (languageCode == kLanguageChinese) {
        if (written.macros) {
            return {u"宏已保存到 MacroDefine.bin，但无法写入 keymap.bin，按键的宏设定未保存到磁盘。\n", u"宏管理"};
        }
        if (written.keymap) {
            return {u"keymap.bin 已写入，但无法写入 MacroDefine.bin，宏的更改未保存到磁盘。\n", u"宏管理"};
        }
        return {u"无法写入 MacroDefine.bin 和 keymap.bin，宏的更改未保存到磁盘。\n", u"宏管理"};
    }
    if (written.macros) {
        return {u"The macros were saved in MacroDefine.bin, but keymap.bin could not be written: the keys' "
                u"macro slots are not saved on disk.\n",
                u"Macro Manager"};
    }
    if (written.keymap) {
        return {u"keymap.bin was written, but MacroDefine.bin could not be written: the macro changes are "
                u"not saved on disk.\n",
                u"Macro Manager"};
    }
    return {u"MacroDefine.bin and keymap.bin could not be written: the macro changes are not saved on disk.\n",
            u"Macro Manager"};
}

std::optional<PanelMessage> confirmMacroPanel(SettingsImage& image, MacroPanelController& panel,
                                              const std::filesystem::path& dataFolder) {
    const MacroSlotMoves moves = panel.takeSlotMoves();
    applyMacroSlotMoves(image, moves);
    // The renumbering is part of what OK commits: a Cancel of the main window
    // must not take the keys back to the old numbering.
    noteUnsentMacroChanges(image, moves.map());
    const MacroFilesWritten written = confirmMacroManager(image, panel.session(), dataFolder);
    if (written.all()) return std::nullopt;
    return macroSaveFailedMessage(image.languageCode, written);
}

}  // namespace orvane
