#include "mainwindow/view/maintray.h"

#include <QMenu>

#include "keyboardstate/settingsimage.h"
#include "platform/desktop/qtstrings.h"

namespace orvane {

MainTray::MainTray(const QIcon& icon, std::u16string_view toolTip, const std::int16_t& languageCode,
                   QObject* parent)
    : QObject(parent), icon_(new QSystemTrayIcon(icon, this)), menu_(new QMenu) {
    icon_->setToolTip(qs(toolTip));
    QAction* exit = menu_->addAction(QString());
    connect(exit, &QAction::triggered, this, &MainTray::exitRequested);
    // The item's text follows the language each time the menu opens.
    connect(menu_, &QMenu::aboutToShow, this, [exit, &languageCode] {
        exit->setText(languageCode == kLanguageChinese ? QStringLiteral("退出") : QStringLiteral("Exit"));
    });
    icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this, &MainTray::trayActivated);
    icon_->show();
}

MainTray::~MainTray() {
    icon_->hide();
    delete menu_;
}

bool MainTray::showBalloon(std::u16string_view title, std::u16string_view text) {
    if (!QSystemTrayIcon::supportsMessages()) return false;
    icon_->showMessage(qs(title), qs(text), QSystemTrayIcon::Information);
    return true;
}

void MainTray::hide() { icon_->hide(); }

}  // namespace orvane
