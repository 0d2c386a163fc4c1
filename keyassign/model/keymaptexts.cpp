#include "keyassign/model/keymaptexts.h"

#include "keyboardstate/settingsimage.h"

namespace orvane {

namespace {

const KeyMapTexts kEnglish{
    u"Current Key:",
    {u"Single/Combine", u"Macro", u"Basic", u"Advance"},
    u"Single",
    u"Combine",
    {u"Play Sound", u"Startup", u"Open File", u"Open Folder"},
    u"Disable",
    u"Default",
    u"Cancel",
    u"Save",
    u"Please select Sub item",
    u"Please select a folder\n",
    u"This key has no code on the keyboard and cannot be assigned.",
    u"The path is longer than 255 characters and cannot be used.",
    u"This path cannot be used for a key.",
    u"Please choose the file or folder for this action.",
    u"All files (*)",
};

const KeyMapTexts kChinese{
    u"当前按键:",
    {u"单键/组合键", u"宏", u"基本功能", u"高级功能"},
    u"单键",
    u"组合键",
    {u"播放声音", u"启动程序", u"打开文件", u"打开目录"},
    u"禁用按钮",
    u"初始值",
    u"取消",
    u"保存",
    u"请选择子项",
    u"请选择文件夹\n",
    u"键盘没有此按键的代码，无法设定。",
    u"路径超过255个字符，无法使用。",
    u"此路径无法用于按键。",
    u"请为此功能选择文件或文件夹。",
    u"所有文件 (*)",
};

}  // namespace

const KeyMapTexts& keyMapTexts(std::int16_t languageCode) {
    return languageCode == kLanguageChinese ? kChinese : kEnglish;
}

}  // namespace orvane
