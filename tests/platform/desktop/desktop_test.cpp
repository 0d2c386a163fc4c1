#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "platform/desktop/languagesetting.h"
#include "platform/desktop/singleinstance.h"
#include "keyboardstate/settingsimage.h"

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

TEST(SingleInstance, SecondClaimFailsAndAsksTheFirstToShow) {
    const QString key = QStringLiteral("orvane-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    QSignalSpy spy(&first, &SingleInstance::showRequested);
    {
        SingleInstance second(key);
        EXPECT_FALSE(second.claim());
    }
    EXPECT_TRUE(spy.count() > 0 || spy.wait(2000));
}

TEST(SingleInstance, ClaimSucceedsAgainOnceTheFirstIsGone) {
    const QString key = QStringLiteral("orvane-test2-%1").arg(QCoreApplication::applicationPid());
    {
        SingleInstance first(key);
        ASSERT_TRUE(first.claim());
    }
    SingleInstance again(key);
    EXPECT_TRUE(again.claim());
}

}  // namespace
}  // namespace orvane
