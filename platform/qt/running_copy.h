#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

// The channel through which a second start in a working folder asks the copy
// already running there to come to the front. Its name is derived from the
// folder's canonical path and the user, so copies in other folders, or of
// other users, never meet.
namespace running_copy {

QString channelName(const QString& canonicalFolder);

} // namespace running_copy

// Held by the folder's program: answers each request by bringing the window
// to the front. Requests that arrive before the window is set are answered
// too, since the window is about to be shown anyway.
class RunningCopyServer : public QObject
{
    Q_OBJECT
  public:
    explicit RunningCopyServer(const QString& name, QObject* parent = nullptr);

    bool listening() const;
    void setWindow(QWidget* window);

  signals:
    void broughtToFront();

  private:
    void answer(QLocalSocket* socket);

    QLocalServer* server_;
    QPointer<QWidget> window_;
};

// Used by a second start: asks the running copy, retrying while it may still
// be starting, and reports whether it answered within the time allowed.
class RunningCopyCaller : public QObject
{
    Q_OBJECT
  public:
    explicit RunningCopyCaller(QObject* parent = nullptr);

    void ask(const QString& name, int timeoutMs);

  signals:
    void finished(bool reached);

  private:
    void connectOnce();
    void retryOrGiveUp();
    void finish(bool reached);

    QLocalSocket* socket_;
    QString name_;
    int timeoutMs_ = 0;
    QElapsedTimer elapsed_;
    bool done_ = false;
};
