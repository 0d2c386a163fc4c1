// One utility per user session: a second start asks the first to show its
// window and then ends.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace orvane {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key names the lock file and the local server (tests pass their own).
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first: it then listens for later starts.
    // False when another instance holds the lock; that instance has been asked
    // to show its window.
    bool claim();

signals:
    void showRequested();

private:
    void onNewConnection();

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

// The session-wide key of the utility.
QString defaultInstanceKey();

}  // namespace orvane
