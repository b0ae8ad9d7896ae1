#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

QString reliabilityChildPath()
{
    return QStringLiteral(PRIZMORA_RELIABILITY_CHILD);
}

ChildProcess::ChildProcess(const QStringList& arguments, int userId)
{
    // Everything the child needs is prepared before the fork: after it only
    // system calls run until exec.
    std::vector<QByteArray> storage;
    storage.push_back(reliabilityChildPath().toLocal8Bit());
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(fds[1], STDOUT_FILENO);
        if (userId >= 0) {
            const gid_t group = static_cast<gid_t>(userId);
            if (setgroups(0, nullptr) != 0 || setgid(group) != 0 ||
                setuid(static_cast<uid_t>(userId)) != 0)
                _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    stdoutFd_ = fds[0];
    if (pid_ < 0) {
        close(stdoutFd_);
        stdoutFd_ = -1;
    }
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0)
        kill();
    if (stdoutFd_ >= 0)
        close(stdoutFd_);
}

bool ChildProcess::waitUntilReady(int timeoutMs)
{
    while (!received_.contains("ready\n")) {
        pollfd ready{stdoutFd_, POLLIN, 0};
        const int polled = poll(&ready, 1, timeoutMs);
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return false;
        char buffer[256];
        const ssize_t got = read(stdoutFd_, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        received_.append(buffer, got);
    }
    return true;
}

bool ChildProcess::kill()
{
    if (pid_ <= 0)
        return false;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

int ChildProcess::finish(QByteArray* output)
{
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(stdoutFd_, buffer, sizeof buffer);
        if (got > 0)
            received_.append(buffer, got);
        else if (got == 0 || errno != EINTR)
            break;
    }
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    if (output)
        *output = received_;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
