#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <sys/types.h>

// The reliability helper (child/reliability_child.cpp) run as a process of
// its own, optionally as an unprivileged user, with its stdout on a pipe.
class ChildProcess
{
  public:
    // userId < 0 keeps the test's own user.
    ChildProcess(const QStringList& arguments, int userId = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // Waits for the line "ready"; false when the child ended or timed out.
    bool waitUntilReady(int timeoutMs);
    // SIGKILL, then reaps it; true when it was the kill that ended it.
    bool kill();
    // Reads stdout to its end and reaps the child; its exit status.
    int finish(QByteArray* output);

  private:
    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    QByteArray received_;
};

QString reliabilityChildPath();
