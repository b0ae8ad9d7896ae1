#include "desktop_entry_reader.h"
#include "platform/qt/desktop_launcher.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

namespace reader = desktop_entry_reader;

QString readBackProgram(const QByteArray& text)
{
    const auto exec =
        reader::execArguments(reader::unescapedString(reader::group(text).value("Exec")));
    // A path with "%" is started through the shell, which runs its $0.
    const QStringList throughShell = {QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                      QStringLiteral("exec \"$0\"")};
    if (exec && exec->size() == 4 && exec->mid(0, 3) == throughShell)
        return exec->back();
    if (!exec || exec->size() != 1)
        return QStringLiteral("<malformed Exec>");
    return exec->front();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

TEST(DesktopEntryText, OrdinaryPathGivesAMinimalLauncher)
{
    const QByteArray text = desktop_entry::launcherText(
        {QStringLiteral("/opt/prizmora/bin/prizmora"), QStringLiteral("/opt/prizmora/bin"), {}});
    EXPECT_EQ(text, QByteArray("[Desktop Entry]\n"
                               "Type=Application\n"
                               "Name=Tombolex\n"
                               "Comment=Prizmora 抽奖 · 联系 Prizmora event team: "
                               "prizmora@example.org\n"
                               "Exec=\"/opt/prizmora/bin/prizmora\"\n"
                               "Path=/opt/prizmora/bin\n"));

    const QByteArray withIcon = desktop_entry::launcherText(
        {QStringLiteral("/opt/p/bin/prizmora"), QStringLiteral("/opt/p/bin"),
         QStringLiteral("/opt/p/share/icons/hicolor/256x256/apps/org.prizmora.Prizmora.png")});
    EXPECT_EQ(reader::group(withIcon).value("Icon"),
              "/opt/p/share/icons/hicolor/256x256/apps/org.prizmora.Prizmora.png");
}

TEST(DesktopEntryText, ExecAndPathReadBackAsTheSameProgramAndFolder)
{
    const QStringList folders = {
        QStringLiteral("/home/anna/My Programs"),    QStringLiteral("/tmp/say \"hi\" and 'bye'"),
        QStringLiteral("/tmp/$HOME/${PATH}"),        QStringLiteral("/tmp/`rm -rf ~`;echo"),
        QStringLiteral("/tmp/back\\slash\\\\twice"), QStringLiteral("/tmp/100% sure %f %u %%"),
        QStringLiteral("/tmp/tab\tand\nnewline"),    QStringLiteral("/tmp/ leading and trailing "),
        QStringLiteral("/tmp/年会 抽奖/*?#()<>|&~"),
    };
    for (const QString& folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        const QString program = folder + QStringLiteral("/prizmora");
        const QByteArray text = desktop_entry::launcherText({program, folder, {}});
        EXPECT_EQ(readBackProgram(text), program);
        EXPECT_EQ(reader::unescapedString(reader::group(text).value("Path")), folder);
        // Every value stays on its own line.
        EXPECT_EQ(text.count('\n'), 6);
    }
}

TEST(DesktopEntryText, AwkwardLauncherIsValidForDesktopFileValidate)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    QTemporaryDir dir;
    const QString folder = QStringLiteral("/tmp/a \"b\" $c `d` \\e 100%");
    const QString path = dir.filePath("Tombolex.desktop");
    writeFile(path, desktop_entry::launcherText(
                        {folder + "/prizmora", folder, QStringLiteral("/usr/share/p.png")}));
    QProcess validate;
    validate.start(validator, {path});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString()
                                      << validate.readAllStandardError().toStdString();
}

// A real desktop's reader (GLib, as GNOME and Xfce use it) starts exactly the
// program in its folder, a program whose path holds "%" too.
void expectGlibStartsTheProgramInItsFolder(const QString& folderName)
{
    SCOPED_TRACE(folderName.toStdString());
    const QString gio = QStandardPaths::findExecutable("gio");
    if (gio.isEmpty())
        GTEST_SKIP() << "gio is not installed (package libglib2.0-bin)";
    QTemporaryDir dir;
    const QString folder = dir.filePath(folderName);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString marker = dir.filePath("started");
    const QString program = folder + "/prizmora";
    writeFile(program, "#!/bin/sh\nprintf '%s\\n%s\\n%s' \"$0\" \"$(pwd)\" \"$#\" > '" +
                           marker.toUtf8() + "'\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString entry = dir.filePath("Tombolex.desktop");
    writeFile(entry, desktop_entry::launcherText({program, folder, {}}));

    QProcess launch;
    launch.start(gio, {QStringLiteral("launch"), entry});
    ASSERT_TRUE(launch.waitForFinished(30000));
    ASSERT_EQ(launch.exitCode(), 0) << launch.readAllStandardError().toStdString();
    QFile started(marker);
    for (int i = 0; i < 100 && !started.exists(); ++i)
        QThread::msleep(100);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(started.readAll()), program + "\n" + folder + "\n0");
}

TEST(DesktopEntryText, GlibStartsExactlyTheProgramInItsFolder)
{
    expectGlibStartsTheProgramInItsFolder(QStringLiteral("my \"party\" $HOME `true` \\ 'x'"));
}

TEST(DesktopEntryText, GlibAcceptsAProgramPathWithPercentSigns)
{
    expectGlibStartsTheProgramInItsFolder(QStringLiteral("100% sure %f %u %%"));
    expectGlibStartsTheProgramInItsFolder(QStringLiteral("年会 50%off \"$x\""));
}

TEST(LauncherFor, ProgramStartsInItsOwnFolderWithoutIconUntilOneIsBeside)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("build")));
    const QString program = dir.filePath("build/prizmora");
    writeFile(program, "");

    DesktopLauncher launcher = desktop_entry::launcherFor(program, dir.filePath("build"));
    EXPECT_EQ(launcher.program, program);
    EXPECT_EQ(launcher.folder, dir.filePath("build"));
    EXPECT_TRUE(launcher.iconPath.isEmpty());

    const QString icons = QStringLiteral("share/icons/hicolor/256x256/apps");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("build/" + icons)));
    writeFile(dir.filePath("build/" + icons + "/org.prizmora.Prizmora.png"), "png");
    launcher = desktop_entry::launcherFor(program, dir.filePath("build"));
    EXPECT_EQ(launcher.iconPath, dir.filePath("build/" + icons + "/org.prizmora.Prizmora.png"));
}

// An installed copy lives in a bin folder where it cannot keep its working
// files; its launcher starts it in the party's folder it was written from,
// not through the start script, which would take it to ~/Prizmora.
TEST(LauncherFor, InstalledCopyStartsInThePartysFolderWithTheThemeIcon)
{
    QTemporaryDir dir;
    const QString icons = QStringLiteral("share/icons/hicolor/256x256/apps");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("bin")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(icons)));
    writeFile(dir.filePath("bin/prizmora"), "");
    writeFile(dir.filePath("bin/prizmora-launch"), "#!/bin/sh\n");
    QFile::setPermissions(dir.filePath("bin/prizmora-launch"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(dir.filePath(icons + "/org.prizmora.Prizmora.png"), "png");

    ASSERT_TRUE(QDir().mkpath(dir.filePath("party")));
    const DesktopLauncher launcher =
        desktop_entry::launcherFor(dir.filePath("bin/prizmora"), dir.filePath("party"));
    EXPECT_EQ(launcher.program, dir.filePath("bin/prizmora"));
    EXPECT_EQ(launcher.folder, dir.filePath("party"));
    EXPECT_EQ(launcher.iconPath, dir.filePath(icons + "/org.prizmora.Prizmora.png"));
}

// The build folder is laid out like a prefix, so a program run from it gets
// a launcher with the icon, started in the working folder.
TEST(LauncherFor, BuildFolderProgramStartsInTheWorkingFolderWithItsIcon)
{
    const QString build = QStringLiteral(PRIZMORA_BUILD_DIR);
    const DesktopLauncher launcher =
        desktop_entry::launcherFor(build + "/prizmora", QStringLiteral("/home/anna/年会"));
    EXPECT_EQ(launcher.program, build + "/prizmora");
    EXPECT_EQ(launcher.folder, QStringLiteral("/home/anna/年会"));
    EXPECT_EQ(launcher.iconPath,
              build + "/share/icons/hicolor/256x256/apps/org.prizmora.Prizmora.png");
}

TEST(UsableDesktopFolder, NoFolderRatherThanRootHomeOrRelativePlaces)
{
    const QString home = QStringLiteral("/home/anna");
    EXPECT_EQ(desktop_entry::usableDesktopFolder("/home/anna/Desktop", home), "/home/anna/Desktop");
    EXPECT_EQ(desktop_entry::usableDesktopFolder("/home/anna/桌面/", home), "/home/anna/桌面");
    EXPECT_EQ(desktop_entry::usableDesktopFolder("", home), "");
    EXPECT_EQ(desktop_entry::usableDesktopFolder("/", home), "");
    EXPECT_EQ(desktop_entry::usableDesktopFolder("//", home), "");
    EXPECT_EQ(desktop_entry::usableDesktopFolder("/home/anna/", home), "");
    EXPECT_EQ(desktop_entry::usableDesktopFolder("Desktop", home), "");
}

} // namespace
