// Pipes, devices and links where the program expects its files: nothing that
// is not a regular file is ever replaced, truncated or waited on, and a link
// to a regular file is written through. An unreadable settings file is not
// taken for an empty one.

#include "child_process.h"
#include "platform/qt/jpeg_picture.h"
#include "platform/qt/wave_stream.h"
#include "reliability_support.h"
#include "small_filesystem.h"
#include "storage/draw_history.h"
#include "storage/settings_file.h"
#include "storage/text_line_list.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const QString kNotRegular = QStringLiteral("不是普通文件");

bool makePipe(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

mode_t typeOf(const QString& path)
{
    struct stat status = {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & S_IFMT;
}

TEST(SpecialFiles, WritesThroughLinksToPipesOrDevicesAreRefusedAndLeaveThemAsTheyWere)
{
    ScopedWorkingDirectory dir;
    ASSERT_TRUE(makePipe(dir.filePath("pipe")));
    // A node of our own standing in for /dev/null, so a fault replaces nothing real.
    const bool device = ::mknod(QFile::encodeName(dir.filePath("null")).constData(), S_IFCHR | 0666,
                                makedev(1, 3)) == 0;
    ASSERT_TRUE(QFile::link(device ? "null" : "pipe", dir.filePath("retotal.txt")));
    ASSERT_TRUE(QFile::link("pipe", dir.filePath("rafflixset.ini")));

    TextLineList results;
    EXPECT_EQ(errorOf([&] { results.save("retotal.txt"); }),
              QStringLiteral("Cannot create file \"%1\". %2")
                  .arg(dir.filePath("retotal.txt"), kNotRegular));
    EXPECT_EQ(errorOf([] { writeSetting("s", "k", "v"); }),
              "Unable to write to " + dir.filePath("rafflixset.ini"));
    EXPECT_FALSE(draw_history::appendLine("pipe", "x"));
    EXPECT_EQ(typeOf(dir.filePath("retotal.txt")), S_IFLNK);
    EXPECT_EQ(typeOf(dir.filePath("rafflixset.ini")), S_IFLNK);
    EXPECT_EQ(typeOf(dir.filePath("pipe")), S_IFIFO);
    EXPECT_EQ(typeOf(dir.filePath("null")), device ? S_IFCHR : 0);
    EXPECT_EQ(namesIn(dir.path()).size(), device ? 4 : 3) << "no temporary file left";
}

TEST_F(StartUpTest, APipeAsAnyFileToReadFailsAtOnceAndTheWindowOpens)
{
    QFile::remove(dir.filePath("bg.jpg"));
    ASSERT_TRUE(makePipe(dir.filePath("bg.jpg")));
    window();
    const QString openError =
        QStringLiteral("Cannot open file \"%1\". %2").arg(dir.filePath("bg.jpg"), kNotRegular);
    EXPECT_EQ(boxTexts(), QStringList{openError + "."});
    EXPECT_EQ(dir.readFile("retotal.txt"), QByteArray());
    TextLineList list;
    EXPECT_EQ(errorOf([&] { list.load("bg.jpg"); }), openError);
    EXPECT_EQ(SettingsFile(QStringLiteral("bg.jpg")).read("s", "k"), QByteArray());
    EXPECT_FALSE(WaveStream().openWave(dir.filePath("bg.jpg"), true));
}

TEST(LinksToRegularFiles, AreWrittenThroughAndStayLinks)
{
    ScopedWorkingDirectory dir;
    QDir(dir.path()).mkdir("party");
    dir.writeFile("party/results.txt", "old\r\n");
    dir.writeFile("party/settings.ini", "[s]\r\nother=1\r\n");
    ASSERT_TRUE(QFile::link("party/results.txt", dir.filePath("retotal.txt")));
    // A chain of two links, the second one relative to its own folder.
    ASSERT_TRUE(QFile::link("settings.ini", dir.filePath("party/current.ini")));
    ASSERT_TRUE(QFile::link("party/current.ini", dir.filePath("rafflixset.ini")));
    ASSERT_TRUE(QFile::link("loop.txt", dir.filePath("loop.txt")));

    TextLineList results;
    results.add("new");
    results.save("retotal.txt");
    writeSetting("s", "k", "v");
    EXPECT_EQ(dir.readFile("party/results.txt"), "new\r\n");
    EXPECT_EQ(dir.readFile("party/settings.ini"), "[s]\r\nother=1\r\nk=v\r\n");
    EXPECT_EQ(typeOf(dir.filePath("retotal.txt")), S_IFLNK);
    EXPECT_EQ(typeOf(dir.filePath("party/current.ini")), S_IFLNK);
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
    for (const char* name : {"", "rafflixset.ini"})
        ASSERT_TRUE(user < 0 || chown(QFile::encodeName(dir.filePath(name)).constData(),
                                      uid_t(user), gid_t(user)) == 0);
    QFile::setPermissions(dir.filePath("rafflixset.ini"), QFileDevice::WriteOwner);
    ChildProcess child({QStringLiteral("settings-probe"), dir.path()}, user);
    QByteArray output;
    ASSERT_EQ(child.finish(&output), 0) << output.toStdString();
    EXPECT_EQ(output, "settings: Unable to write to " +
                          QFile::encodeName(dir.filePath("rafflixset.ini")) + "\n");
    QFile::setPermissions(dir.filePath("rafflixset.ini"), QFileDevice::ReadOwner);
    EXPECT_EQ(dir.readFile("rafflixset.ini"), stored);
}

} // namespace
