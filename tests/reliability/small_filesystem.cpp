#include "small_filesystem.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

SmallFilesystem::SmallFilesystem(int kilobytes)
{
    if (!folder_.isValid()) {
        skipReason_ = QStringLiteral("no temporary folder to mount on");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0,
                options.constData()) != 0) {
        skipReason_ = QStringLiteral("cannot mount a small tmpfs (%1); run the test as root")
                          .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
}

SmallFilesystem::~SmallFilesystem()
{
    if (mounted_ && ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH) != 0)
        ADD_FAILURE() << "cannot unmount " << folder_.path().toStdString();
}

bool SmallFilesystem::remountReadOnly()
{
    return mounted_ && ::mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs",
                               MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void SmallFilesystem::fill(qint64 leaveFreeBytes)
{
    const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    struct statvfs space = {};
    ASSERT_EQ(::fstatvfs(fd, &space), 0);
    qint64 toWrite = qint64(space.f_bavail) * qint64(space.f_frsize) - leaveFreeBytes;
    const QByteArray block(4096, 'f');
    while (toWrite > 0) {
        const ssize_t written =
            ::write(fd, block.constData(), size_t(qMin<qint64>(toWrite, block.size())));
        if (written <= 0)
            break;
        toWrite -= written;
    }
    ::close(fd);
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return QByteArray();
    }
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
