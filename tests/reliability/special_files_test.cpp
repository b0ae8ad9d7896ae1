// Pipes, devices and links where the program expects its files: nothing that
// is not a regular file is ever replaced, truncated or waited on, and a link
// to a regular file is written through.

#include "child_process.h"
#include "platform/qt/jpeg_picture.h"
#include "platform/qt/wave_stream.h"
#include "reliability_support.h"
#include "small_filesystem.h"
#include "storage/atomic_file.h"
#include "storage/draw_history.h"
#include "storage/settings_file.h"
#include "storage/text_line_list.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const QString kNotRegular = QStringLiteral("不是普通文件");

bool makePipe(const ScopedWorkingDirectory& dir, const QString& name)
{
    return ::mkfifo(QFile::encodeName(dir.filePath(name)).constData(), 0644) == 0;
}

bool link(const ScopedWorkingDirectory& dir, const QString& target, const QString& name)
{
    return QFile::link(target, dir.filePath(name));
}

mode_t typeOf(const ScopedWorkingDirectory& dir, const QString& name)
{
    struct stat status = {};
    ::lstat(QFile::encodeName(dir.filePath(name)).constData(), &status);
    return status.st_mode & S_IFMT;
}

TEST(SpecialFiles, WritesThroughLinksToPipesOrDevicesAreRefusedAndLeaveThemAsTheyWere)
{
    ScopedWorkingDirectory dir;
    ASSERT_TRUE(makePipe(dir, "pipe"));
    // A node of our own standing in for /dev/null, so a fault replaces nothing real.
    const bool device = ::mknod(QFile::encodeName(dir.filePath("null")).constData(), S_IFCHR | 0666,
                                makedev(1, 3)) == 0;
    ASSERT_TRUE(link(dir, device ? "null" : "pipe", "retotal.txt"));
    ASSERT_TRUE(link(dir, "pipe", "rafflixset.ini"));
    ASSERT_TRUE(link(dir, "pipe", "saved.txt"));

    TextLineList results;
    results.add("x");
    EXPECT_EQ(errorOf([&] { results.save("retotal.txt"); }),
              QStringLiteral("Cannot create file \"%1\". %2")
                  .arg(dir.filePath("retotal.txt"), kNotRegular));
    EXPECT_EQ(errorOf([] { writeSetting("s", "k", "v"); }),
              "Unable to write to " + dir.filePath("rafflixset.ini"));
    EXPECT_EQ(writeFileAtomically("saved.txt", "x").reason, kNotRegular);
    EXPECT_EQ(writeFileAtomically("pipe", "x").reason, kNotRegular);
    EXPECT_FALSE(draw_history::appendLine("pipe", "x"));

    for (const char* name : {"retotal.txt", "rafflixset.ini", "saved.txt"})
        EXPECT_EQ(typeOf(dir, name), S_IFLNK) << name;
    EXPECT_EQ(typeOf(dir, "pipe"), S_IFIFO);
    if (device) {
        EXPECT_EQ(typeOf(dir, "null"), S_IFCHR);
    }
    EXPECT_EQ(namesIn(dir.path()).size(), device ? 5 : 4) << "no temporary file left";
}

TEST(SpecialFiles, ReadsOfAPipeFailAtOnceInsteadOfWaitingForAWriter)
{
    ScopedWorkingDirectory dir;
    ASSERT_TRUE(makePipe(dir, "pipe"));
    ASSERT_TRUE(link(dir, "pipe", "rafflixset.ini"));
    TextLineList list;
    EXPECT_EQ(errorOf([&] { list.load("pipe"); }),
              QStringLiteral("Cannot open file \"%1\". %2").arg(dir.filePath("pipe"), kNotRegular));
    EXPECT_EQ(readSetting("s", "k"), QByteArray());
    EXPECT_EQ(errorOf([] { loadJpegPicture("pipe"); }),
              QStringLiteral("Cannot open file \"%1\". %2").arg(dir.filePath("pipe"), kNotRegular));
    WaveStream sound;
    EXPECT_FALSE(sound.openWave(dir.filePath("pipe"), true));
}

TEST_F(StartUpTest, APipeAsTitlePictureIsReportedAndTheWindowOpens)
{
    QFile::remove(dir.filePath("bg.jpg"));
    ASSERT_TRUE(makePipe(dir, "bg.jpg"));
    window();
    ASSERT_EQ(boxTexts().size(), 1);
    EXPECT_EQ(
        boxTexts()[0],
        QStringLiteral("Cannot open file \"%1\". %2.").arg(dir.filePath("bg.jpg"), kNotRegular));
    EXPECT_EQ(dir.readFile("retotal.txt"), QByteArray());
}

TEST(LinksToRegularFiles, AreWrittenThroughAndStayLinks)
{
    ScopedWorkingDirectory dir;
    QDir(dir.path()).mkdir("party");
    dir.writeFile("party/results.txt", "old\r\n");
    dir.writeFile("party/settings.ini", "[s]\r\nother=1\r\n");
    ASSERT_TRUE(link(dir, "party/results.txt", "retotal.txt"));
    // A chain of two links, the second one relative to its own folder.
    ASSERT_TRUE(QFile::link("settings.ini", dir.filePath("party/current.ini")));
    ASSERT_TRUE(link(dir, "party/current.ini", "rafflixset.ini"));

    TextLineList results;
    results.add("new");
    results.save("retotal.txt");
    writeSetting("s", "k", "v");
    EXPECT_EQ(dir.readFile("party/results.txt"), "new\r\n");
    EXPECT_EQ(dir.readFile("party/settings.ini"), "[s]\r\nother=1\r\nk=v\r\n");
    EXPECT_EQ(typeOf(dir, "retotal.txt"), S_IFLNK);
    EXPECT_EQ(typeOf(dir, "party/current.ini"), S_IFLNK);

    // A loop of links names no file: refused with the system's reason.
    ASSERT_TRUE(link(dir, "loop.txt", "loop.txt"));
    EXPECT_EQ(errorOf([&] { results.save("loop.txt"); }),
              QStringLiteral("Cannot create file \"%1\". 符号链接的层数过多")
                  .arg(dir.filePath("loop.txt")));
}

TEST(UnreadableSettingsFile, AWriteFailsAndLeavesEveryKey)
{
    ScopedWorkingDirectory dir;
    const QByteArray stored = G("[基本设置]\r\n抽奖标题=年会\r\n[s]\r\nk=old\r\n");
    dir.writeFile("rafflixset.ini", stored);
    // Root reads any file, so the write is tried by an unprivileged helper.
    const int user = geteuid() == 0 ? 65534 : -1;
    if (user >= 0) {
        for (const char* name : {"", "rafflixset.ini"})
            ASSERT_EQ(chown(QFile::encodeName(dir.filePath(QLatin1String(name))).constData(),
                            static_cast<uid_t>(user), static_cast<gid_t>(user)),
                      0);
    }
    QFile::setPermissions(dir.filePath("rafflixset.ini"), QFileDevice::WriteOwner);
    ChildProcess child({QStringLiteral("settings-probe"), dir.path()}, user);
    QByteArray output;
    ASSERT_EQ(child.finish(&output), 0) << output.toStdString();
    EXPECT_EQ(QString::fromUtf8(output).trimmed(),
              "settings: Unable to write to " + dir.filePath("rafflixset.ini"));
    QFile::setPermissions(dir.filePath("rafflixset.ini"), QFileDevice::ReadOwner);
    EXPECT_EQ(dir.readFile("rafflixset.ini"), stored);
}

} // namespace
