#include "app/orvaneapp.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <cstdlib>

#include "mainwindow/view/orvanedlg.h"
#include "platform/desktop/desktopshell.h"
#include "platform/desktop/qtdialogs.h"
#include "platform/desktop/languagesetting.h"
#include "platform/desktop/singleinstance.h"
#include "platform/hid/sleeper.h"
#include "virtualkeyboard/makehidbackend.h"

namespace orvane {

COrvaneApp::COrvaneApp(int& argc, char** argv) : argc_(argc), argv_(argv) {}

int COrvaneApp::InitInstance() {
    QApplication app(argc_, argv_);
    QApplication::setApplicationName(QStringLiteral("orvane"));
    // The window lives on in the tray when hidden; only Exit or Close end it.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance(defaultInstanceKey());
    if (!instance.claim()) return 0;  // the first instance shows its window

    const std::optional<DataFolders> folders = dataFoldersOfThisProcess();
    if (!folders) {
        QtDialogs().showMessage(readLanguageCode() == kLanguageChinese
                                    ? u"无法创建存放设置的文件夹 ~/.local/share/orvane。"
                                    : u"The folder for the settings, ~/.local/share/orvane, cannot be created.",
                                u"Orvane");
        return 1;
    }
    std::unique_ptr<HidBackend> backend = makeHidBackend(folders->state);
    DesktopShell shell;
    QtDialogs dialogs;
    COrvaneDlg::Environment env{settingsImage(),
                                *backend,
                                realSleeper(),
                                shell,
                                dialogs,
                                *folders,
                                readLanguageCode(),
                                QSystemTrayIcon::isSystemTrayAvailable()};
    auto dialog = std::make_unique<COrvaneDlg>(env);
    QObject::connect(&instance, &SingleInstance::showRequested, dialog.get(),
                     &COrvaneDlg::showFromOtherInstance);
    QObject::connect(dialog.get(), &COrvaneDlg::dialogEnded, &app, &QApplication::quit);
    dialog->OnInitDialog();
    const int code = app.exec();
    dialog.reset();  // icon, notifications, reader, handles: in that order
    return code;
}

}  // namespace orvane
