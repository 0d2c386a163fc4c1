#include "mainwindow/model/unreadablefilenotices.h"

#include "settings/settingsfiles.h"

namespace orvane {
namespace {

// The full path helps the user find the file; a folder name that is not
// valid UTF-8 still leaves the file name.
std::u16string shownPath(const std::filesystem::path& file) {
    try {
        return file.u16string();
    } catch (const std::filesystem::filesystem_error&) {
        return file.filename().u16string();
    }
}

void tellOnce(bool unreadable, bool& told, const std::filesystem::path& file,
              std::int16_t languageCode, MainWindowHost& host) {
    if (!unreadable || told) return;
    told = true;
    host.showMessage(unreadableFileText(file, languageCode), unreadableFileCaption(languageCode));
}

}  // namespace

void UnreadableFileNotices::tell(const SettingsImage& image, const std::filesystem::path& dataFolder,
                                 MainWindowHost& host) {
    const std::int16_t language = image.languageCode;
    tellOnce(image.unreadableFiles.keymap, keymapTold_, dataFolder / kKeymapFileName, language, host);
    tellOnce(image.unreadableFiles.macros, macrosTold_, dataFolder / kMacroFileName, language, host);
}

std::u16string unreadableFileText(const std::filesystem::path& file, std::int16_t languageCode) {
    const std::u16string path = shownPath(file);
    if (languageCode == kLanguageChinese) {
        return u"无法读取设置文件：\n" + path +
               u"\n\n程序将使用默认设置继续运行，本次运行中的更改不会保存到此文件。"
               u"请检查该文件的所有者和权限，然后重新启动程序。";
    }
    return u"The settings file\n" + path +
           u"\ncould not be read.\n\nThe utility goes on with default settings, and changes "
           u"will not be kept in this file during this run. Check the file's owner and "
           u"permissions, then start the utility again.";
}

std::u16string keymapNotWrittenText(const std::filesystem::path& file, std::int16_t languageCode) {
    const std::u16string path = shownPath(file);
    if (languageCode == kLanguageChinese) {
        return u"无法写入设置文件：\n" + path + u"\n\n按键的新设定已生效，按“保存”后会发送到键盘，但没有保存到此文件。";
    }
    return u"The settings file\n" + path +
           u"\ncould not be written.\n\nThe key's new assignment is in use and reaches the keyboard "
           u"with Save, but it is not kept in this file.";
}

std::u16string_view unreadableFileCaption(std::int16_t languageCode) {
    return languageCode == kLanguageChinese ? u"警告" : u"Warning";
}

}  // namespace orvane
