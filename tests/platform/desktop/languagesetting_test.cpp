#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "keyboardstate/settingsimage.h"
#include "platform/desktop/languagesetting.h"

namespace orvane {
namespace {

TEST(LanguageSetting, OnlyExactChsSelectsChinese) {
    QTemporaryDir dir;
    struct Case { QVariant value; std::int16_t code; };
    const Case cases[] = {
        {QVariant(), kLanguageEnglish},
        {QStringLiteral("chs"), kLanguageEnglish},
        {QStringLiteral("CHS "), kLanguageEnglish},
        {QStringLiteral("CHSX"), kLanguageEnglish},
        {QString(300, QLatin1Char('C')), kLanguageEnglish},
        {7, kLanguageEnglish},
        {QStringLiteral("CHS"), kLanguageChinese},
    };
    for (const auto& c : cases) {
        QSettings settings(dir.filePath(QStringLiteral("ZX417.conf")), QSettings::IniFormat);
        settings.clear();
        if (c.value.isValid()) settings.setValue(QStringLiteral("Language"), c.value);
        EXPECT_EQ(languageCodeFrom(settings), c.code) << c.value.toString().toStdString();
    }
}

}  // namespace
}  // namespace orvane
