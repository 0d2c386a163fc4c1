#include "settings/profiletexts.h"

#include "keyboardstate/settingsimage.h"

namespace orvane {
namespace {

std::u16string number(std::uintmax_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string shownProfilePath(const std::filesystem::path& file) {
    try {
        return file.u16string();
    } catch (const std::exception&) {
    }
    try {
        return file.filename().u16string();
    } catch (const std::exception&) {
        return u"?";
    }
}

ProfileTexts profileTexts(std::int16_t languageCode) {
    ProfileTexts t;
    t.languageCode = languageCode;
    if (languageCode == kLanguageChinese) {
        t.title = u"配置";
        t.newLabel = u"新建";
        t.deleteLabel = u"删除";
        t.caption = u"配置管理";
        t.tooMany = u"最多可以存储6个配置\n";
        t.saveWithout = u"请选择一个配置存储";
        t.loadWithout = u"请选择一个配置打开";
        t.copyWithout = u"请选择一个配置拷贝";
        t.deleteWithout = u"请选择一个配置删除";
        t.keepOne = u"请至少保留一个配置文件";
        t.confirmDelete = u"删除当前配置文件吗";
        t.copyPrefix = u"复制 ";
        t.menuNew = u"新建";
        t.menuCopy = u"复制";
        t.menuSave = u"保存";
        t.menuLoad = u"加载";
        t.menuDelete = u"删除";
        t.nameEmpty = u"配置名称不能为空。";
        t.nameSlashOrDots = u"配置名称不能包含“/”或“..”。";
        t.nameControl = u"配置名称不能包含控制字符。";
        t.nameTooLong = u"配置名称太长：最多255个字符。";
        t.nameTaken = u"已存在同名的配置。";
        t.noKeyboardSettings = u"此配置不包含键盘设置，已保留当前的键盘设置。";
        t.ownSettingsFile = u"keymap.bin、MacroDefine.bin 和 VER.bin 是本程序自己的文件，不能在此选择。请选择其他文件。";
        return t;
    }
    t.title = u"Profile";
    t.newLabel = u"New";
    t.deleteLabel = u"Delete";
    t.caption = u"Profile";
    t.tooMany = u"Only Create Six Profile mostly\n";
    t.saveWithout = u"Please select a profile to Save\n";
    t.loadWithout = u"Please select a profile to Open\n";
    t.copyWithout = u"Please select a profile to copy\n";
    t.deleteWithout = u"Please select a profile to delete\n";
    t.keepOne = u"Please keep a profile\n";
    t.confirmDelete = u"Delete current profile ?";
    t.copyPrefix = u"Copy of ";
    t.menuNew = u"New";
    t.menuCopy = u"Copy";
    t.menuSave = u"Save";
    t.menuLoad = u"Load";
    t.menuDelete = u"Delete";
    t.nameEmpty = u"A profile name cannot be empty.";
    t.nameSlashOrDots = u"A profile name cannot contain \"/\" or \"..\".";
    t.nameControl = u"A profile name cannot contain control characters.";
    t.nameTooLong = u"The profile name is too long: at most 255 characters.";
    t.nameTaken = u"A profile with this name exists already.";
    t.noKeyboardSettings =
        u"This profile holds no keyboard settings. The current keyboard settings are kept.";
    t.ownSettingsFile =
        u"keymap.bin, MacroDefine.bin and VER.bin are the utility's own files and cannot be "
        u"chosen here. Please choose another file.";
    return t;
}

std::u16string ProfileTexts::folderNotCreated(const std::filesystem::path& folder) const {
    if (languageCode == kLanguageChinese) return u"无法创建配置文件夹：\n" + shownProfilePath(folder);
    return u"The profile folder\n" + shownProfilePath(folder) + u"\ncould not be created.";
}

std::u16string ProfileTexts::unreadable(const std::filesystem::path& file) const {
    if (languageCode == kLanguageChinese) return u"无法读取配置文件，未作任何更改：\n" + shownProfilePath(file);
    return u"The profile file\n" + shownProfilePath(file) + u"\ncould not be read. Nothing was changed.";
}

std::u16string ProfileTexts::truncated(const std::filesystem::path& file, std::uintmax_t size) const {
    if (languageCode == kLanguageChinese) {
        return u"配置文件不完整（" + number(size) + u" 字节），未作任何更改：\n" + shownProfilePath(file);
    }
    return u"The profile file\n" + shownProfilePath(file) + u"\nis incomplete (" + number(size) +
           u" bytes). Nothing was changed.";
}

std::u16string ProfileTexts::notAProfile(const std::filesystem::path& file, std::uintmax_t size) const {
    if (languageCode == kLanguageChinese) {
        return u"此文件不是配置文件（" + number(size) + u" 字节；配置文件为 10060 或 206920 字节），未作任何更改：\n" +
               shownProfilePath(file);
    }
    return u"The file\n" + shownProfilePath(file) + u"\nis not a profile (" + number(size) +
           u" bytes; a profile has 10060 or 206920). Nothing was changed.";
}

std::u16string ProfileTexts::outOfRange(const std::filesystem::path& file, std::string_view finding) const {
    const std::u16string what(finding.begin(), finding.end());  // ASCII field names and numbers
    if (languageCode == kLanguageChinese) {
        return u"配置文件中有键盘不接受的设置（" + what + u"），未作任何更改：\n" + shownProfilePath(file);
    }
    return u"The profile file\n" + shownProfilePath(file) + u"\nholds a setting the keyboard does not accept (" +
           what + u"). Nothing was changed.";
}

std::u16string ProfileTexts::notWritten(const std::filesystem::path& file) const {
    if (languageCode == kLanguageChinese) return u"无法写入文件：\n" + shownProfilePath(file);
    return u"The file\n" + shownProfilePath(file) + u"\ncould not be written.";
}

std::u16string ProfileTexts::notDeleted(const std::filesystem::path& file) const {
    if (languageCode == kLanguageChinese) return u"无法删除配置文件：\n" + shownProfilePath(file);
    return u"The profile file\n" + shownProfilePath(file) + u"\ncould not be deleted.";
}

}  // namespace orvane
