#include "macros/model/macromessages.h"

#include "keyboardstate/settingsimage.h"

namespace orvane {

PanelMessage macroMessage(MacroMessage which, std::int16_t languageCode) {
    const bool zh = languageCode == kLanguageChinese;
    const std::u16string manager = zh ? u"宏管理" : u"Macro Manager";
    switch (which) {
        case MacroMessage::RecordWithoutMacro:
            return {zh ? u"请选择一个宏指令文件录制\n" : u"Please select a Macro file to record \n",
                    zh ? u"宏管理器" : u"Macro Manager"};
        case MacroMessage::ConfirmDelete:
            return {zh ? u"确认删除吗？" : u"Confirm to delete?", manager, true};
        case MacroMessage::DeleteWithoutMacro:
            return {zh ? u"请选择一个宏指令文件删除\n" : u"Please select a Macro file to delete\n",
                    manager};
        case MacroMessage::EditCurrentDelay:
            return {zh ? u"请编辑当前延时\n" : u"Please edit current delay\n", manager};
        case MacroMessage::MacroFull:
            // A macro holds at most 190 bytes of events.
            return {zh ? u"宏已满，无法再添加按键或延时\n"
                       : u"The macro is full: no more keys or delays fit\n",
                    manager};
    }
    return {};
}

std::u16string recordButtonLabel(bool recording, std::int16_t languageCode) {
    const bool zh = languageCode == kLanguageChinese;
    if (recording) return zh ? u"停止录制" : u"Stop Recording";
    return zh ? u"开始录制" : u"Start Recording";
}

MacroMenuTexts macroMenuTexts(std::int16_t languageCode) {
    if (languageCode == kLanguageChinese) {
        return {u"在之前开始录入", u"在之后开始录入", u"插入鼠标按键", u"左键", u"右键", u"中健",
                u"压下", u"释放", u"单击", u"插入延迟", u"删除"};
    }
    return {u"Insert Before", u"Insert After", u"Insert Mouse Key", u"Left", u"Right", u"Middle",
            u"Down", u"Up", u"Click", u"Insert Delay", u"Delete"};
}

}  // namespace orvane
