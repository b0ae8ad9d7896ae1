#include "desktop_entry_reader.h"
#include "platform/qt/desktop_launcher.h"
#include "support/fake_services.h"
#include "support/working_directory.h"
#include "ui/main_window/cou.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A working folder with the sample picture, so that creating the window
// raises no box of its own, and a desktop folder for the launcher.
class ShowHandler : public ::testing::Test
{
  protected:
    ShowHandler()
    {
        QFile::copy(QStringLiteral(PRIZMORA_SOURCE_DIR "/assets/samples/bg.jpg"),
                    work.filePath("bg.jpg"));
        fakes.desktop.folder = desktop.path();
    }

    // Creates and shows the main window; the boxes of the creation are dropped.
    std::unique_ptr<TForm1> showWindow()
    {
        auto window = std::make_unique<TForm1>();
        fakes.boxes.shown.clear();
        window->show();
        return window;
    }

    QString launcherPath() const { return desktop.filePath("Tombolex.desktop"); }

    static bool focusIsOnStartStop(const TForm1& window)
    {
        return window.focusWidget() == window.findChild<QPushButton*>("btn3");
    }

    ScopedWorkingDirectory work;
    ScopedFakeServices fakes;
    QTemporaryDir desktop;
};

TEST_F(ShowHandler, FocusesStartStopAndWritesAnExecutableLauncher)
{
    auto window = showWindow();
    EXPECT_TRUE(focusIsOnStartStop(*window));
    EXPECT_TRUE(fakes.boxes.shown.empty());

    EXPECT_EQ(readFile(launcherPath()), desktop_entry::launcherText(desktop_entry::launcherFor(
                                            fakes.desktop.executable, QDir::currentPath())));
    // It opens this party's files: it starts in the working folder.
    EXPECT_EQ(desktop_entry_reader::unescapedString(
                  desktop_entry_reader::group(readFile(launcherPath())).value("Path")),
              QDir::currentPath());
    const QFileInfo launcher(launcherPath());
    EXPECT_TRUE(launcher.permissions() & QFileDevice::ExeOwner);
    EXPECT_TRUE(launcher.permissions() & QFileDevice::ExeOther);
    // Written beside and renamed: no temporary file is left behind.
    EXPECT_EQ(QDir(desktop.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(ShowHandler, ReplacesAChangedLauncherEachTimeTheWindowIsShown)
{
    QFile old(launcherPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[Desktop Entry]\nType=Application\nName=Old\nExec=/somewhere/else\n");
    old.close();
    QFile::setPermissions(launcherPath(), QFile::ReadOwner | QFile::WriteOwner);

    auto window = showWindow();
    const QByteArray written = readFile(launcherPath());
    EXPECT_TRUE(written.contains("Exec=\"/opt/prizmora/bin/prizmora\"")) << written.constData();
    EXPECT_TRUE(QFileInfo(launcherPath()).permissions() & QFileDevice::ExeOwner);

    window->hide();
    ASSERT_TRUE(QFile::remove(launcherPath()));
    fakes.desktop.executable = QStringLiteral("/srv/party 2012/prizmora");
    window->show();
    EXPECT_TRUE(focusIsOnStartStop(*window));
    EXPECT_TRUE(readFile(launcherPath()).contains("Exec=\"/srv/party 2012/prizmora\""));
}

TEST_F(ShowHandler, MissingDesktopFolderIsLeftAloneSilently)
{
    fakes.desktop.folder = desktop.filePath("Desktop");
    auto window = showWindow();
    EXPECT_TRUE(focusIsOnStartStop(*window));
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_FALSE(QFileInfo::exists(fakes.desktop.folder));
}

TEST_F(ShowHandler, ReadOnlyDesktopFolderGetsNothingAndNoBox)
{
    QFile::setPermissions(desktop.path(),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    auto window = showWindow();
    QFile::setPermissions(desktop.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(focusIsOnStartStop(*window));
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_TRUE(
        QDir(desktop.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(ShowHandler, DesktopThatIsAFileIsLeftAsItWas)
{
    const QString notAFolder = desktop.filePath("Desktop");
    QFile file(notAFolder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("notes");
    file.close();
    fakes.desktop.folder = notAFolder;

    auto window = showWindow();
    EXPECT_TRUE(focusIsOnStartStop(*window));
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_EQ(readFile(notAFolder), "notes");
    EXPECT_FALSE(QFileInfo::exists(notAFolder + "/Tombolex.desktop"));
}

TEST_F(ShowHandler, LauncherNameTakenByAFolderIsLeftAlone)
{
    ASSERT_TRUE(QDir().mkpath(launcherPath()));
    auto window = showWindow();
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_TRUE(QFileInfo(launcherPath()).isDir());
}

// With no desktop folder known nothing is written anywhere: not in the
// working folder, not at the root (where the launcher would otherwise land).
TEST_F(ShowHandler, NoDesktopFolderWritesNothingAnywhere)
{
    const bool rootHadOne = QFileInfo::exists("/Tombolex.desktop");
    fakes.desktop.folder.clear();
    auto window = showWindow();
    EXPECT_TRUE(focusIsOnStartStop(*window));
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_FALSE(work.exists("Tombolex.desktop"));
    EXPECT_EQ(QFileInfo::exists("/Tombolex.desktop"), rootHadOne);
    EXPECT_TRUE(
        QDir(desktop.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

} // namespace
