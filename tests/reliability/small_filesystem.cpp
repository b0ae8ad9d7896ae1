#include "small_filesystem.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

SmallFilesystem::SmallFilesystem(const QString& folder, int kilobytes) : folder_(folder)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) !=
        0) {
        skipReason_ = QStringLiteral("cannot mount a small tmpfs (%1); run the test as root")
                          .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
    // The working folder was the one underneath; relative paths go to the mount from now.
    QDir::setCurrent(folder);
}

SmallFilesystem::~SmallFilesystem()
{
    if (mounted_ && ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH) != 0)
        ADD_FAILURE() << "cannot unmount " << folder_.toStdString();
}

bool SmallFilesystem::remountReadOnly()
{
    return mounted_ && ::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs",
                               MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void SmallFilesystem::fill(qint64 leaveFreeBytes)
{
    const int fd = ::open(QFile::encodeName(folder_ + QStringLiteral("/filler")).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    struct statvfs space = {};
    ASSERT_EQ(::fstatvfs(fd, &space), 0);
    qint64 toWrite = qint64(space.f_bavail) * qint64(space.f_frsize) - leaveFreeBytes;
    const QByteArray block(4096, 'f');
    while (toWrite > 0 && ::write(fd, block.constData(), size_t(qMin<qint64>(toWrite, 4096))) > 0)
        toWrite -= 4096;
    ::close(fd);
}
