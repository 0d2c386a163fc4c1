// The main window's tray icon: its tooltip, its menu (Exit, in the language
// of the moment) and its balloon.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <cstdint>
#include <string_view>

class QMenu;

namespace orvane {

class MainTray : public QObject {
    Q_OBJECT
public:
    // `languageCode` is read each time the menu opens.
    MainTray(const QIcon& icon, std::u16string_view toolTip, const std::int16_t& languageCode,
             QObject* parent = nullptr);
    ~MainTray() override;

    // False where the tray shows no balloons (the caller says it otherwise).
    bool showBalloon(std::u16string_view title, std::u16string_view text);
    void hide();

signals:
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    void exitRequested();

private:
    QSystemTrayIcon* icon_;
    QMenu* menu_;
};

}  // namespace orvane
