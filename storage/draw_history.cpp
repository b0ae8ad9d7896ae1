#include "storage/draw_history.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace draw_history {

namespace {

QByteArray timeText(const QDateTime& at)
{
    return at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
}

// True when the file is empty or its last two bytes are CR LF.
bool endsWithCompleteLine(int fd, off_t size)
{
    if (size == 0)
        return true;
    char tail[2] = {};
    if (size < 2 || ::pread(fd, tail, 2, size - 2) != 2)
        return false;
    return tail[0] == '\r' && tail[1] == '\n';
}

} // namespace

QByteArray winnerLine(const QDateTime& at, const QByteArray& resultsLine)
{
    return timeText(at) + '\t' + resultsLine;
}

bool appendLine(const QString& path, const QByteArray& line)
{
    // Non-blocking so that a pipe put in the file's place cannot hang the window.
    const QByteArray name = QFile::encodeName(path);
    const int flags = O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK;
    int fd = ::open(name.constData(), flags);
    bool created = false;
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(name.constData(), flags | O_CREAT | O_EXCL, 0644);
        created = fd >= 0;
    }
    if (fd < 0)
        return false;
    struct stat status = {};
    bool written = false;
    // A file marked read-only is left alone even for root, like the results file.
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & S_IWUSR)) {
        QByteArray record;
        if (!endsWithCompleteLine(fd, status.st_size))
            record += "\r\n";
        record += line + "\r\n";
        ssize_t result;
        do
            result = ::write(fd, record.constData(), static_cast<size_t>(record.size()));
        while (result < 0 && errno == EINTR);
        written = result == record.size();
        if (result > 0 && !written) {
            // A short write (a full disk) is taken back, so no partial line
            // stays; should that fail too, the next append starts a new line.
            const int truncated = ::ftruncate(fd, status.st_size);
            Q_UNUSED(truncated);
        }
        if (written && ::fdatasync(fd) != 0)
            written = false;
    }
    ::close(fd);
    // A history this append made but could not fill (a full disk) is not
    // left behind empty.
    if (created && !written)
        ::unlink(name.constData());
    return written;
}

} // namespace draw_history
