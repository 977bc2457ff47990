#include "app/SingleInstance.h"
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <unistd.h>

namespace {
const QByteArray ActivateRequest = "activate\n";
const QByteArray ActivateReply = "ok\n";
constexpr int RetryMs = 100;
// A program still starting has held its lock for less than this.
constexpr qint64 StartingMs = 30000;
constexpr int StartingAnswerMs = 10000;
constexpr int HeldAnswerMs = 1000;

bool ownedByUs(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.ownerId() == ::geteuid();
}
} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent),
      folder_(folder),
      lock_(QDir(folder).filePath(QStringLiteral("vantor.lock")))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultFolder()
{
    // Qt gives no runtime folder when its fallback under /tmp was made by
    // another user; the lock would then land in the working folder.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && ownedByUs(runtime))
        return runtime;
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Vantor/instance");
}

QString SingleInstance::socketPath() const
{
    return QDir(folder_).filePath(QStringLiteral("vantor.socket"));
}

SingleInstance::Claim SingleInstance::claim()
{
    QDir().mkpath(folder_);
    if (!ownedByUs(folder_)) {
        note_ = QStringLiteral("the folder %1 is not the user's own; running without the single-instance lock")
                    .arg(folder_);
        return Claim::Unavailable;
    }
    QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (lock_.tryLock(0))
        return Claim::Ours;
    const QString lockPath = QDir(folder_).filePath(QStringLiteral("vantor.lock"));
    if (lock_.error() != QLockFile::LockFailedError) {
        note_ = QStringLiteral("cannot make the lock %1; running without it").arg(lockPath);
        return Claim::Unavailable;
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (!ownedByUs(lockPath) || !lock_.getLockInfo(&pid, &host, &application)) {
        note_ = QStringLiteral("the lock %1 is another user's or unreadable; ignored").arg(lockPath);
        return Claim::Unavailable;
    }
    lockAgeMs_ = QFileInfo(lockPath).lastModified().msecsTo(QDateTime::currentDateTime());
    return Claim::HeldByRunningProgram;
}

int SingleInstance::answerWaitMs() const
{
    return lockAgeMs_ < StartingMs ? StartingAnswerMs : HeldAnswerMs;
}

bool SingleInstance::listen()
{
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath()); // left by a program that died
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine() == ActivateRequest) {
                    emit activationRequested();
                    socket->write(ActivateReply);
                }
                socket->disconnectFromServer();
            });
        }
    });
    return server_->listen(socketPath());
}

bool SingleInstance::activateRunning(int waitMs)
{
    QLocalSocket socket;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, [&loop] { loop.exit(0); });
    connect(&socket, &QLocalSocket::connected, &loop, [&socket] { socket.write(ActivateRequest); });
    connect(&socket, &QLocalSocket::readyRead, &loop, [&socket, &loop] {
        if (socket.canReadLine())
            loop.exit(socket.readLine() == ActivateReply ? 1 : 0);
    });
    // The running program may not listen yet: try again until the deadline.
    connect(&socket, &QLocalSocket::errorOccurred, &loop, [this, &socket](QLocalSocket::LocalSocketError error) {
        if (error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError)
            QTimer::singleShot(RetryMs, &socket, [this, &socket] { socket.connectToServer(socketPath()); });
    });
    deadline.start(waitMs);
    socket.connectToServer(socketPath());
    return loop.exec() == 1;
}
