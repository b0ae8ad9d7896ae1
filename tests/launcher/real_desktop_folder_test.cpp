#include "platform/desktop_environment.h"
#include "platform/qt/real_services.h"
#include "platform/services.h"
#include "qt_printers.h"
#include "support/fake_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The real desktop folder comes from user-dirs.dirs under XDG_CONFIG_HOME;
// each case sets HOME and that file and restores both afterwards.
class RealDesktopFolder : public ::testing::Test
{
protected:
    RealDesktopFolder() : oldHome_(qgetenv("HOME")), oldConfig_(qgetenv("XDG_CONFIG_HOME"))
    {
        QDir().mkpath(home.filePath("config"));
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
        installRealServices();
    }
    ~RealDesktopFolder() override
    {
        qputenv("HOME", oldHome_);
        qputenv("XDG_CONFIG_HOME", oldConfig_);
    }

    void writeUserDirs(const QByteArray& desktopLine)
    {
        QFile file(home.filePath("config/user-dirs.dirs"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n" + desktopLine + "\n");
    }

    static QString desktopFolder() { return services().desktop->desktopFolder(); }

    QTemporaryDir home;
    ScopedFakeServices restoresServices;

private:
    QByteArray oldHome_;
    QByteArray oldConfig_;
};

TEST_F(RealDesktopFolder, TheFolderNamedInUserDirs)
{
    writeUserDirs("XDG_DESKTOP_DIR=\"$HOME/桌面\"");
    EXPECT_EQ(desktopFolder(), home.filePath("桌面"));
}

TEST_F(RealDesktopFolder, DesktopSwitchedOffToHomeMeansNone)
{
    writeUserDirs("XDG_DESKTOP_DIR=\"$HOME/\"");
    EXPECT_EQ(desktopFolder(), QString());
}

TEST_F(RealDesktopFolder, NoHomeMeansNone)
{
    qputenv("HOME", "");
    EXPECT_EQ(desktopFolder(), QString());
}

} // namespace
