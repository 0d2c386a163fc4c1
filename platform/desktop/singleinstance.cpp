#include "platform/desktop/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace orvane {
namespace {

QString runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir;
}

constexpr int kConnectTimeoutMs = 1000;
constexpr QByteArrayView kShowRequest = "show\n";

}  // namespace

QString defaultInstanceKey() {
    return QStringLiteral("orvane-%1").arg(qEnvironmentVariable("USER", QStringLiteral("user")));
}

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() {
    lock_ = std::make_unique<QLockFile>(runtimeFolder() + QLatin1Char('/') + key_ + QStringLiteral(".lock"));
    // A lock left by a crashed instance is stale at once: the lock file's
    // owner is checked by process id.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(100)) {
        QLocalSocket socket;
        socket.connectToServer(key_);
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            socket.write(kShowRequest.data(), kShowRequest.size());
            socket.waitForBytesWritten(kConnectTimeoutMs);
            socket.disconnectFromServer();
        }
        return false;
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A server socket left behind by a crash would make listen() fail.
    QLocalServer::removeServer(key_);
    server_->listen(key_);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("show")) emit showRequested();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

}  // namespace orvane
