#include "platform/desktop/desktopshell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace orvane {

bool DesktopShell::startDetached(const std::string& program, const std::string& workingDirectory) {
    return QProcess::startDetached(QString::fromStdString(program), {},
                                   QString::fromStdString(workingDirectory));
}

bool DesktopShell::openWithDesktop(const std::string& pathOrUrl) {
    const QString text = QString::fromStdString(pathOrUrl);
    const QUrl url = text.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(text) : QUrl(text);
    return QDesktopServices::openUrl(url);
}

bool DesktopShell::isExecutableFile(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    return info.isFile() && info.isExecutable();
}

}  // namespace orvane
