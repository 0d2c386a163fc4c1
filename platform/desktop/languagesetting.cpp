#include "platform/desktop/languagesetting.h"

#include <QSettings>

#include "keyboardstate/settingsimage.h"

namespace orvane {

std::int16_t languageCodeFrom(const QSettings& settings) {
    const QVariant value = settings.value(QStringLiteral("Language"));
    // The value is compared whole and case-sensitively; a longer string is not "CHS".
    if (value.typeId() == QMetaType::QString && value.toString() == QStringLiteral("CHS")) {
        return kLanguageChinese;
    }
    return kLanguageEnglish;
}

std::int16_t readLanguageCode() {
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZX417"));
    return languageCodeFrom(settings);
}

}  // namespace orvane
