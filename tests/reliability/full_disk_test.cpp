// Every write the program makes, on a real filesystem that has run out of
// space: the write is reported with its own message and the file it would
// have replaced keeps every byte.

#include "base/atomic_file.h"
#include "child_process.h"
#include "platform/qt/desktop_launcher.h"
#include "reliability_support.h"
#include "small_filesystem.h"
#include "storage/draw_history.h"
#include "storage/program_settings.h"

namespace {

#define MOUNT_OR_SKIP(disk)                                                                        \
    if (!(disk).mounted())                                                                         \
    GTEST_SKIP() << (disk).skipReason().toStdString()

TEST(FullDisk, AStopThatCannotRecordKeepsTheResultsFileAndReportsTheWriteError)
{
    DrawHarness draw;
    SmallFilesystem disk(draw.dir.path());
    MOUNT_OR_SKIP(disk);
    const QByteArray recorded = G("三等奖：P1\r\n三等奖：P2\r\n");
    draw.setParticipants(numbered(20));
    draw.dir.writeFile("retotal.txt", recorded);
    draw.click(); // Start
    disk.fill();
    EXPECT_EQ(errorOf([&] { draw.click(); }), QStringLiteral("Stream write error"));
    EXPECT_EQ(draw.resultsFile(), recorded);
    EXPECT_EQ(namesIn(draw.dir.path()), (QStringList{"filler", "rafflixlist.txt", "retotal.txt"}));
}

TEST(FullDisk, AReplacedFileStaysWholeWithNoSpaceOrTooLittleAndNoNewFileIsLeftEmpty)
{
    ScopedWorkingDirectory dir;
    SmallFilesystem disk(dir.path());
    MOUNT_OR_SKIP(disk);
    dir.writeFile("saved.txt", "old results\r\n");
    const QByteArray larger(65536, 'x');
    for (qint64 leftFree : {qint64(0), qint64(16 * 1024)}) {
        disk.fill(leftFree);
        EXPECT_EQ(errorOf([&] { writeFileAtomicallyOrThrow("saved.txt", larger); }),
                  QStringLiteral("Stream write error"));
        EXPECT_EQ(dir.readFile("saved.txt"), "old results\r\n");
        EXPECT_EQ(writeFileAtomically("new.txt", larger).reason,
                  QStringLiteral("设备中已没有剩余空间"));
        EXPECT_EQ(namesIn(dir.path()), (QStringList{"filler", "saved.txt"}));
        QFile::remove(dir.filePath("filler"));
    }
}

TEST(FullDisk, SettingsHistoryAndLauncherKeepTheirFiles)
{
    ScopedWorkingDirectory dir;
    SmallFilesystem disk(dir.path());
    MOUNT_OR_SKIP(disk);
    ScopedFakeServices fakes;
    fakes.desktop.folder = dir.path();
    program_settings::writeDefaultSettingsIfMissing();
    writeDesktopLauncher(fakes.desktop);
    dir.writeFile("rafflixhistory.txt", "first\r\n");
    const QByteArray settings = dir.readFile("rafflixset.ini");
    const QByteArray launcher = dir.readFile("Tombolex.desktop");
    disk.fill();

    const program_settings::BasicSettings basic{G("新标题"), "bg.jpg", "01.wav", "02.wav"};
    EXPECT_EQ(errorOf([&] { program_settings::writeBasic(basic); }),
              "Unable to write to " + dir.filePath("rafflixset.ini"));
    EXPECT_FALSE(draw_history::appendLine("rafflixhistory.txt", QByteArray(8192, 'h')));
    fakes.desktop.executable = QStringLiteral("/elsewhere/prizmora");
    writeDesktopLauncher(fakes.desktop);
    EXPECT_EQ(dir.readFile("rafflixset.ini"), settings);
    EXPECT_EQ(dir.readFile("rafflixhistory.txt"), "first\r\n");
    EXPECT_EQ(dir.readFile("Tombolex.desktop"), launcher);
}

// In a folder that refuses new files an existing file is written in place;
// on a full disk that write must fail before it touches a byte of the file.
TEST(FullDisk, AFileWrittenInPlaceInAReadOnlyFolderIsLeftAsItWas)
{
    ScopedWorkingDirectory dir;
    SmallFilesystem disk(dir.path());
    MOUNT_OR_SKIP(disk);
    // One page; the new key goes in after "z=1" and shifts everything after it.
    QByteArray settings = "[s]\r\nz=1\r\n[t]\r\na=";
    settings += QByteArray(4094 - settings.size(), 'p') + "\r\n";
    dir.writeFile("existing.ini", settings);
    dir.writeFile("existing.txt", "A\r\n");
    for (const char* name : {"", "existing.ini", "existing.txt"})
        ASSERT_EQ(chown(QFile::encodeName(dir.filePath(name)).constData(), 65534, 65534), 0);
    disk.fill();
    makeReadOnlyFolder(dir.path());
    ChildProcess child({QStringLiteral("write-probe"), dir.path()}, 65534);
    QByteArray output;
    ASSERT_EQ(child.finish(&output), 0);
    EXPECT_TRUE(output.contains("existing settings: Unable to write to existing.ini\n"))
        << output.toStdString();
    EXPECT_EQ(dir.readFile("existing.ini"), settings);
}

} // namespace
