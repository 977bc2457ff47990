#include "app/SingleInstance.h"
#include <QDir>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {
const QByteArray ActivateRequest = "activate\n";
const QByteArray ActivateReply = "ok\n";
constexpr int RetryMs = 100;
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
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString SingleInstance::socketPath() const
{
    return QDir(folder_).filePath(QStringLiteral("vantor.socket"));
}

SingleInstance::Claim SingleInstance::claim()
{
    QDir().mkpath(folder_);
    if (lock_.tryLock(0))
        return Claim::Ours;
    return lock_.error() == QLockFile::LockFailedError ? Claim::HeldByRunningProgram : Claim::Unavailable;
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
