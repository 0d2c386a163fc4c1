#include "mainwindow/model/accessnotice.h"

#include "keyboardstate/settingsimage.h"

namespace orvane {

AccessNotice cannotOpenNotice(std::int16_t languageCode) {
    if (languageCode == kLanguageChinese) {
        return {"已找到游戏键盘，但无法打开。\n\n"
                "请按照 README 的说明安装 udev 规则（70-orvane.rules），然后拔下键盘并重新插入。"
                "如果有其他程序正在使用该键盘，请先关闭该程序。",
                "无法打开键盘"};
    }
    return {"A gaming keyboard was found, but it could not be opened.\n\n"
            "Install the udev rule (70-orvane.rules) as the README describes, then unplug the "
            "keyboard and plug it in again. If another program is using the keyboard, close that "
            "program first.",
            "Keyboard cannot be opened"};
}

}  // namespace orvane
