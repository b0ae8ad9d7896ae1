#include "platform/qt/running_copy.h"

#include "base/sha256.h"
#include "platform/qt/window_front.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>
#include <unistd.h>

namespace {

constexpr char kRequest[] = "show\n";
constexpr char kAnswer[] = "shown\n";
constexpr int kRetryMs = 100;

} // namespace

namespace running_copy {

QString channelName(const QString& canonicalFolder)
{
    const QByteArray hash = sha256::hex(canonicalFolder.toUtf8());
    return QStringLiteral("prizmora-%1-%2").arg(::getuid()).arg(QLatin1String(hash.left(32)));
}

} // namespace running_copy

RunningCopyServer::RunningCopyServer(const QString& name, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Only the folder's lock holder gets here, so a channel left by a copy
    // that crashed is stale and goes.
    QLocalServer::removeServer(name);
    server_->listen(name);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
            if (socket->bytesAvailable() > 0)
                answer(socket);
        }
    });
}

bool RunningCopyServer::listening() const
{
    return server_->isListening();
}

void RunningCopyServer::setWindow(QWidget* window)
{
    window_ = window;
}

void RunningCopyServer::answer(QLocalSocket* socket)
{
    if (!socket->canReadLine())
        return;
    const QByteArray request = socket->readLine(64);
    if (request != kRequest) {
        socket->disconnectFromServer();
        return;
    }
    bringToFront(window_);
    socket->write(kAnswer);
    socket->flush();
    emit broughtToFront();
}

RunningCopyCaller::RunningCopyCaller(QObject* parent)
    : QObject(parent), socket_(new QLocalSocket(this))
{
    connect(socket_, &QLocalSocket::connected, this, [this] { socket_->write(kRequest); });
    connect(socket_, &QLocalSocket::readyRead, this, [this] {
        if (socket_->canReadLine())
            finish(socket_->readLine(64) == kAnswer);
    });
    connect(socket_, &QLocalSocket::errorOccurred, this, [this] { retryOrGiveUp(); });
}

void RunningCopyCaller::ask(const QString& name, int timeoutMs)
{
    name_ = name;
    timeoutMs_ = timeoutMs;
    done_ = false;
    elapsed_.start();
    QTimer::singleShot(timeoutMs, this, [this] { finish(false); });
    connectOnce();
}

void RunningCopyCaller::connectOnce()
{
    if (done_)
        return;
    socket_->abort();
    socket_->connectToServer(name_);
}

void RunningCopyCaller::retryOrGiveUp()
{
    // The running copy may have taken the folder a moment before it opened
    // the channel; a copy that dropped the connection will not answer.
    if (done_ || socket_->error() == QLocalSocket::PeerClosedError)
        return finish(false);
    if (elapsed_.elapsed() + kRetryMs < timeoutMs_)
        QTimer::singleShot(kRetryMs, this, [this] { connectOnce(); });
}

void RunningCopyCaller::finish(bool reached)
{
    if (done_)
        return;
    done_ = true;
    socket_->abort();
    emit finished(reached);
}
