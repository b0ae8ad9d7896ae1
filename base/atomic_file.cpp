#include "base/atomic_file.h"

#include "base/app_error.h"
#include "base/file_paths.h"
#include "base/system_reason.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

AtomicWriteResult failure(AtomicWriteResult::Status status, int error)
{
    AtomicWriteResult result;
    result.status = status;
    result.error = error;
    result.reason = system_reason::text(error);
    return result;
}

AtomicWriteResult cannotCreate(int error)
{
    return failure(AtomicWriteResult::Status::CannotCreate, error);
}

AtomicWriteResult writeFailed(int error)
{
    return failure(AtomicWriteResult::Status::WriteFailed, error);
}

struct Target
{
    QByteArray path; // the file a chain of links ends at
    bool exists = false;
    struct stat status = {};
    int error = 0;
};

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// Follows links the way opening the path would, so the file they name is
// replaced and the links stay links.
Target resolve(const QByteArray& path)
{
    Target target;
    target.path = path;
    for (int hops = 0; hops < 40; ++hops) {
        if (::lstat(target.path.constData(), &target.status) != 0) {
            if (errno != ENOENT)
                target.error = errno;
            return target;
        }
        if (!S_ISLNK(target.status.st_mode)) {
            target.exists = true;
            return target;
        }
        QByteArray link(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(target.path.constData(), link.data(), link.size());
        if (length < 0 || length >= link.size()) {
            target.error = length < 0 ? errno : ENAMETOOLONG;
            return target;
        }
        link.truncate(length);
        target.path = link.startsWith('/') ? link : folderOf(target.path) + '/' + link;
    }
    target.error = ELOOP;
    return target;
}

mode_t creationMode()
{
    // The umask can only be read by setting it; nothing else runs meanwhile.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

bool syncAndClose(int fd)
{
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    const bool closed = ::close(fd) == 0;
    if (!synced)
        errno = error;
    return synced && closed;
}

// The rename is on disk only once the folder is: best effort, since the new
// content is already in place and nothing can be taken back.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Resumes after interruptions and short writes; false with errno set when
// the file took fewer bytes.
bool writeEveryByte(int descriptor, const QByteArray& content)
{
    const char* next = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, next, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

// For a folder that refuses new files: the existing file is written in place.
// Its space is reserved first, so a full disk refuses before a byte changes.
AtomicWriteResult writeInPlace(const Target& target, const QByteArray& content)
{
    const int fd = ::open(target.path.constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return cannotCreate(errno);
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return cannotCreate(system_reason::kNotARegularFile);
    }
    if (content.size() > status.st_size &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(content.size())) != 0 &&
        errno != EOPNOTSUPP) {
        const int error = errno;
        ::close(fd);
        return writeFailed(error);
    }
    if (!writeEveryByte(fd, content) || ::ftruncate(fd, content.size()) != 0) {
        const int error = errno;
        ::close(fd);
        return writeFailed(error);
    }
    if (!syncAndClose(fd))
        return writeFailed(errno);
    return {};
}

} // namespace

AtomicWriteResult writeFileAtomically(const QString& path, const QByteArray& content,
                                      const AtomicWriteOptions& options)
{
    if (path.isEmpty())
        return cannotCreate(ENOENT);
    const Target target = resolve(QFile::encodeName(path));
    if (target.error)
        return cannotCreate(target.error);
    if (target.exists) {
        if (S_ISDIR(target.status.st_mode))
            return cannotCreate(EISDIR);
        if (!S_ISREG(target.status.st_mode))
            return cannotCreate(system_reason::kNotARegularFile);
        // A file marked read-only is refused even for root, like a read-only
        // attribute; renaming over it would otherwise silently bypass the mark.
        if (!(target.status.st_mode & S_IWUSR))
            return cannotCreate(EACCES);
        if (::access(target.path.constData(), W_OK) != 0)
            return cannotCreate(errno);
    }

    QByteArray temporary = target.path + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (target.exists && (error == EACCES || error == EPERM))
            return writeInPlace(target, content);
        return cannotCreate(error);
    }
    auto abandon = [&](int error) {
        ::unlink(temporary.constData());
        return writeFailed(error);
    };
    const mode_t mode = options.mode    ? *options.mode
                        : target.exists ? (target.status.st_mode & 07777)
                                        : creationMode();
    if (target.exists && ::geteuid() == 0) {
        // Root editing someone's file leaves it theirs.
        const int owned = ::fchown(fd, target.status.st_uid, target.status.st_gid);
        Q_UNUSED(owned);
    }
    // A filesystem without permissions (a USB stick) refuses the mode; the
    // content matters, the mode cannot be kept there anyway.
    const int modeSet = ::fchmod(fd, mode);
    Q_UNUSED(modeSet);
    if (!writeEveryByte(fd, content)) {
        const int error = errno;
        ::close(fd);
        return abandon(error);
    }
    if (!syncAndClose(fd))
        return abandon(errno);
    // The target may have been swapped for something else while we wrote.
    struct stat now = {};
    if (::lstat(target.path.constData(), &now) == 0 && !S_ISREG(now.st_mode))
        return abandon(S_ISDIR(now.st_mode) ? EISDIR : system_reason::kNotARegularFile);
    if (::rename(temporary.constData(), target.path.constData()) != 0)
        return abandon(errno);
    syncFolder(folderOf(target.path));
    return {};
}

void writeFileAtomicallyOrThrow(const QString& path, const QByteArray& content)
{
    const AtomicWriteResult result = writeFileAtomically(path, content);
    switch (result.status) {
    case AtomicWriteResult::Status::Ok:
        return;
    case AtomicWriteResult::Status::CannotCreate:
        throw AppError::cannotCreateFile(file_paths::fullPath(path), result.reason);
    case AtomicWriteResult::Status::WriteFailed:
        throw AppError::streamWriteError();
    }
}
