#include "desktop_entry_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

namespace reader = desktop_entry_reader;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray sample(const char* name)
{
    return readFile(QStringLiteral(PRIZMORA_SOURCE_DIR "/assets/samples/") + QLatin1String(name));
}

bool isExecutableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// Installs this build into a fresh prefix whose name holds a blank.
class Install : public ::testing::Test
{
protected:
    void SetUp() override
    {
        prefix = dir.filePath("pre fix");
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(PRIZMORA_CMAKE_COMMAND),
                      {"--install", PRIZMORA_BUILD_DIR, "--prefix", prefix});
        ASSERT_TRUE(install.waitForFinished(120000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAll().toStdString();
    }

    QString installed(const QString& relative) const { return prefix + '/' + relative; }

    // Runs the installed start script with the program replaced by a script
    // that notes where it runs; returns what it noted.
    QString runStartScript(const QString& workdir)
    {
        const QString fakeProgram = dir.filePath("program");
        const QString note = dir.filePath("note");
        QFile script(fakeProgram);
        if (!script.open(QIODevice::WriteOnly))
            return QStringLiteral("<no fake program>");
        script.write("#!/bin/sh\npwd > '" + note.toUtf8() + "'\n");
        script.close();
        QFile::setPermissions(fakeProgram, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcess start;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PRIZMORA_WORKDIR", workdir);
        environment.insert("PRIZMORA_PROGRAM", fakeProgram);
        environment.remove("PRIZMORA_SAMPLES");
        start.setProcessEnvironment(environment);
        start.setProcessChannelMode(QProcess::MergedChannels);
        start.start(installed("bin/prizmora-launch"), {});
        if (!start.waitForFinished(30000) || start.exitCode() != 0)
            return QStringLiteral("<start script failed: ") + start.readAll() + '>';
        return QString::fromUtf8(readFile(note)).trimmed();
    }

    QTemporaryDir dir;
    QString prefix;
};

TEST_F(Install, PrefixHoldsTheProgramItsMenuEntryIconsAndSamples)
{
    EXPECT_TRUE(isExecutableFile(installed("bin/prizmora")));
    EXPECT_TRUE(isExecutableFile(installed("bin/prizmora-launch")));
    for (const char* name : {"bg.jpg", "01.wav", "02.wav", "participants.txt"})
        EXPECT_EQ(readFile(installed("share/prizmora/samples/") + name), sample(name)) << name;
    EXPECT_TRUE(QFileInfo(installed("share/icons/hicolor/scalable/apps/org.prizmora.Prizmora.svg"))
                    .isFile());
    for (const char* size : {"16x16", "32x32", "48x48", "128x128", "256x256"}) {
        EXPECT_TRUE(QFileInfo(installed(QStringLiteral("share/icons/hicolor/%1/apps/"
                                                       "org.prizmora.Prizmora.png")
                                            .arg(size)))
                        .isFile())
            << size;
    }

    const QString entryPath = installed("share/applications/org.prizmora.Prizmora.desktop");
    const auto entry = reader::group(readFile(entryPath));
    EXPECT_EQ(entry.value("Type"), "Application");
    EXPECT_EQ(entry.value("Icon"), "org.prizmora.Prizmora");
    // The menu starts the start script of this prefix, blank and all.
    const auto exec = reader::execArguments(reader::unescapedString(entry.value("Exec")));
    ASSERT_TRUE(exec.has_value());
    EXPECT_EQ(*exec, QStringList{installed("bin/prizmora-launch")});

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {entryPath});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
    EXPECT_EQ(validate.readAll(), QByteArray());
}

TEST_F(Install, StartScriptSeedsANewWorkingFolderAndStartsTheProgramInIt)
{
    const QString workdir = dir.filePath("home/Prizmora");
    EXPECT_EQ(runStartScript(workdir), workdir);
    for (const char* name : {"bg.jpg", "01.wav", "02.wav"})
        EXPECT_EQ(readFile(workdir + '/' + name), sample(name)) << name;
    EXPECT_EQ(readFile(workdir + "/rafflixlist.txt"), sample("participants.txt"));
    EXPECT_FALSE(QFileInfo::exists(workdir + "/participants.txt"));
}

TEST_F(Install, StartScriptNeverReplacesTheOperatorsFiles)
{
    const QString workdir = dir.filePath("party");
    ASSERT_TRUE(QDir().mkpath(workdir));
    for (const char* name : {"rafflixset.ini", "bg.jpg"}) {
        QFile file(workdir + '/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("mine");
    }
    EXPECT_EQ(runStartScript(workdir), workdir);
    EXPECT_EQ(readFile(workdir + "/bg.jpg"), "mine");
    EXPECT_EQ(readFile(workdir + "/rafflixset.ini"), "mine");
    EXPECT_EQ(readFile(workdir + "/01.wav"), sample("01.wav"));
    // An existing party keeps its own participants: no sample list appears.
    EXPECT_FALSE(QFileInfo::exists(workdir + "/rafflixlist.txt"));
}

} // namespace
