// The system's reason in an open or create error is in Chinese for every
// failure these files can meet, met for real.

#include "reliability_support.h"
#include "small_filesystem.h"
#include "storage/atomic_file.h"
#include "storage/text_line_list.h"

#include <csignal>
#include <sys/resource.h>

namespace {

QString openError(const QString& path, const char* reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2")
        .arg(file_paths::fullPath(path), QString::fromUtf8(reason));
}

QString createError(const QString& path, const char* reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2")
        .arg(file_paths::fullPath(path), QString::fromUtf8(reason));
}

TEST(SystemReasons, AreChineseForMissingFoldersPathsAndPermissions)
{
    ScopedWorkingDirectory dir;
    QDir(dir.path()).mkdir("folder");
    dir.writeFile("plain.txt", "x");
    dir.writeFile("readonly.txt", "x");
    dir.makeReadOnly("readonly.txt");
    TextLineList list;
    EXPECT_EQ(errorOf([&] { list.load("missing.txt"); }),
              openError("missing.txt", "此文件或目录不存在"));
    EXPECT_EQ(errorOf([&] { list.load("folder"); }), openError("folder", "是一个目录"));
    EXPECT_EQ(errorOf([&] { list.save("folder"); }), createError("folder", "是一个目录"));
    EXPECT_EQ(errorOf([&] { list.load("plain.txt/x"); }),
              openError("plain.txt/x", "路径中有一项不是目录"));
    EXPECT_EQ(errorOf([&] { list.save("plain.txt/x"); }),
              createError("plain.txt/x", "路径中有一项不是目录"));
    EXPECT_EQ(errorOf([&] { list.save("readonly.txt"); }),
              createError("readonly.txt", "权限被拒绝"));
}

TEST(SystemReasons, AreChineseForAReadOnlyFilesystemAndAFileTooLarge)
{
    ScopedWorkingDirectory dir;
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const AtomicWriteResult tooLarge = writeFileAtomically("large.txt", QByteArray(8192, 'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);
    EXPECT_EQ(tooLarge.reason, QStringLiteral("文件过大"));
    EXPECT_FALSE(dir.exists("large.txt"));

    SmallFilesystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    writeBytes(disk.filePath("existing.txt"), "old\r\n");
    if (!disk.remountReadOnly())
        GTEST_SKIP() << "cannot remount the small tmpfs read-only";
    for (const char* name : {"existing.txt", "new.txt"}) {
        const QString path = disk.filePath(QLatin1String(name));
        EXPECT_EQ(errorOf([&] { writeFileAtomicallyOrThrow(path, "x"); }),
                  createError(path, "只读文件系统"));
    }
    EXPECT_EQ(bytesOf(disk.filePath("existing.txt")), "old\r\n");
}

} // namespace
