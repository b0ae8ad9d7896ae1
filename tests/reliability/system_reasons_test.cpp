// The system's reason in an open or create error is in Chinese, met for
// real (missing files, permissions, full disks and link loops are in the
// tests of their own faults).

#include "base/atomic_file.h"
#include "reliability_support.h"
#include "small_filesystem.h"
#include "storage/text_line_list.h"
#include "support/file_size_limit.h"

namespace {

QString reasonOf(const QString& message)
{
    return message.mid(message.lastIndexOf(QLatin1String("\". ")) + 3);
}

TEST(SystemReasons, AreChineseForFoldersPathsReadOnlyFilesystemsAndFilesTooLarge)
{
    ScopedWorkingDirectory dir;
    QDir(dir.path()).mkdir("folder");
    dir.writeFile("plain.txt", "x");
    TextLineList list;
    EXPECT_EQ(reasonOf(errorOf([&] { list.load("folder"); })), QStringLiteral("是一个目录"));
    EXPECT_EQ(reasonOf(errorOf([&] { list.save("folder"); })), QStringLiteral("是一个目录"));
    EXPECT_EQ(reasonOf(errorOf([&] { list.load("plain.txt/x"); })),
              QStringLiteral("路径中有一项不是目录"));

    AtomicWriteResult tooLarge;
    {
        ScopedFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        tooLarge = writeFileAtomically("large.txt", QByteArray(8192, 'x'));
    }
    EXPECT_EQ(tooLarge.reason, QStringLiteral("文件过大"));

    SmallFilesystem disk(dir.filePath("folder"));
    if (!disk.mounted() || !disk.remountReadOnly())
        GTEST_SKIP() << "no read-only filesystem: " << disk.skipReason().toStdString();
    EXPECT_EQ(reasonOf(errorOf([&] { list.save("new.txt"); })), QStringLiteral("只读文件系统"));
}

} // namespace
