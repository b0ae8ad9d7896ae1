// Every write the program makes, on a real filesystem that has run out of
// space: the write is reported with its own message and the file it would
// have replaced keeps every byte.

#include "child_process.h"
#include "platform/qt/desktop_launcher.h"
#include "reliability_support.h"
#include "small_filesystem.h"
#include "storage/atomic_file.h"
#include "storage/default_settings.h"
#include "storage/draw_history.h"
#include "storage/settings_file.h"
#include "ui/seti_rules.h"

namespace {

#define MOUNT_OR_SKIP(filesystem)                                                                  \
    if (!(filesystem).mounted())                                                                   \
    GTEST_SKIP() << (filesystem).skipReason().toStdString()

const QByteArray kOldResults = G("三等奖：P1\r\n三等奖：P2\r\n");

TEST(FullDisk, AStopThatCannotRecordKeepsTheResultsFileAndReportsTheWriteError)
{
    DrawHarness draw;
    SmallFilesystem disk;
    MOUNT_OR_SKIP(disk);
    ASSERT_TRUE(QDir::setCurrent(disk.path()));
    writeBytes(disk.filePath("rafflixlist.txt"), joinLinesWithCrLf(numbered(20)));
    writeBytes(disk.filePath("retotal.txt"), kOldResults);
    draw.click(); // Start
    disk.fill();
    EXPECT_EQ(errorOf([&] { draw.click(); }), QStringLiteral("Stream write error"));
    EXPECT_EQ(bytesOf(disk.filePath("retotal.txt")), kOldResults);
    EXPECT_EQ(namesIn(disk.path()), (QStringList{"filler", "rafflixlist.txt", "retotal.txt"}));
}

TEST(FullDisk, ReplacingAnyFileKeepsItWholeWhetherNoSpaceOrTooLittleIsLeft)
{
    SmallFilesystem disk;
    MOUNT_OR_SKIP(disk);
    const QString saved = disk.filePath("抽奖结果.txt");
    writeBytes(saved, "old results\r\n");
    const QByteArray larger(64 * 1024, 'x');
    for (qint64 leftFree : {qint64(0), qint64(16 * 1024)}) {
        disk.fill(leftFree);
        EXPECT_EQ(errorOf([&] { writeFileAtomicallyOrThrow(saved, larger); }),
                  QStringLiteral("Stream write error"));
        EXPECT_EQ(bytesOf(saved), "old results\r\n");
        // A new file is not left behind empty either.
        const AtomicWriteResult created = writeFileAtomically(disk.filePath("new.txt"), larger);
        EXPECT_EQ(created.status, AtomicWriteResult::Status::WriteFailed);
        EXPECT_EQ(created.reason, QStringLiteral("设备中已没有剩余空间"));
        EXPECT_EQ(namesIn(disk.path()), (QStringList{"filler", "抽奖结果.txt"}));
        QFile::remove(disk.filePath("filler"));
    }
}

TEST(FullDisk, SettingsWritesFailWithUnableToWriteAndLeaveEveryKey)
{
    SmallFilesystem disk;
    MOUNT_OR_SKIP(disk);
    ScopedWorkingDirectory previous;
    ASSERT_TRUE(QDir::setCurrent(disk.path()));
    writeDefaultSettingsIfMissing();
    const QByteArray defaults = bytesOf(disk.filePath("rafflixset.ini"));
    disk.fill();
    settings_rules::BasicPage page{G("新标题"), "bg.jpg", "01.wav", "02.wav"};
    EXPECT_EQ(errorOf([&] { settings_rules::writeBasicPage(page); }),
              "Unable to write to " + disk.filePath("rafflixset.ini"));
    EXPECT_EQ(bytesOf(disk.filePath("rafflixset.ini")), defaults);
}

TEST(FullDisk, HistoryAndLauncherKeepTheirFiles)
{
    SmallFilesystem disk;
    MOUNT_OR_SKIP(disk);
    const QString history = disk.filePath(QLatin1String(draw_history::kFileName));
    writeBytes(history, "first\r\n");
    const QString launcher = disk.filePath(QLatin1String(desktop_entry::kLauncherFileName));
    writeBytes(launcher, "[Desktop Entry]\n");
    disk.fill();
    EXPECT_FALSE(draw_history::appendLine(history, QByteArray(8192, 'h')));
    EXPECT_EQ(bytesOf(history), "first\r\n");

    ScopedFakeServices fakes;
    fakes.desktop.folder = disk.path();
    writeDesktopLauncher(fakes.desktop);
    EXPECT_EQ(bytesOf(launcher), "[Desktop Entry]\n");
}

} // namespace
