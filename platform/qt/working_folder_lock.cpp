#include "platform/qt/working_folder_lock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

WorkingFolderLock::WorkingFolderLock(const QString& folder)
{
    descriptor_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor_ < 0)
        return;
    int result;
    do
        result = ::flock(descriptor_, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::Acquired;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::HeldByAnother : State::Unavailable;
    ::close(descriptor_);
    descriptor_ = -1;
}

WorkingFolderLock::~WorkingFolderLock()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}
