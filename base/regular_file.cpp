#include "base/regular_file.h"

#include "base/system_reason.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace regular_file {

Opened openForReading(const QString& path)
{
    Opened opened;
    if (path.isEmpty()) {
        opened.error = ENOENT;
        return opened;
    }
    // Non-blocking only for the open itself: opening a pipe without a writer
    // would otherwise wait for one forever.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        opened.error = errno;
        return opened;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = errno;
        opened.error = S_ISDIR(status.st_mode) ? EISDIR
                       : status.st_mode        ? system_reason::kNotARegularFile
                                               : error;
        ::close(fd);
        return opened;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    opened.descriptor = fd;
    return opened;
}

Content readAll(const QString& path)
{
    return readAndClose(openForReading(path));
}

Content readAndClose(const Opened& opened)
{
    Content content;
    if (!opened.ok()) {
        content.error = opened.error;
        return content;
    }
    struct stat status = {};
    ::fstat(opened.descriptor, &status);
    // Sized once from the file; a file that grows meanwhile is read on to its end.
    qsizetype capacity = qMax<qsizetype>(static_cast<qsizetype>(status.st_size) + 1, 4096);
    QByteArray bytes(capacity, Qt::Uninitialized);
    qsizetype filled = 0;
    while (true) {
        if (filled == capacity) {
            capacity *= 2;
            bytes.resize(capacity);
        }
        const ssize_t got = ::read(opened.descriptor, bytes.data() + filled,
                                   static_cast<size_t>(capacity - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            content.error = errno;
            ::close(opened.descriptor);
            return content;
        }
        if (got == 0)
            break;
        filled += got;
    }
    ::close(opened.descriptor);
    bytes.truncate(filled);
    content.bytes = std::move(bytes);
    return content;
}

bool isMissing(int error)
{
    return error == ENOENT;
}

} // namespace regular_file
