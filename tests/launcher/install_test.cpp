#include "base/working_files.h"
#include "desktop_entry_reader.h"
#include "storage/draw_history.h"
#include "storage/draw_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
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

QByteArray sourceFile(const char* relative)
{
    return readFile(QStringLiteral(PRIZMORA_SOURCE_DIR "/") + QLatin1String(relative));
}

struct Finished
{
    int exitCode = -1;
    QByteArray output;
};

// Runs a tool to its end (two minutes at most) with its output and errors merged.
Finished runTool(const QString& program, const QStringList& arguments,
                 const QString& workingDirectory = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(120000);
    return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAll()};
}

QByteArray gunzipped(const QString& path)
{
    return runTool(QStringLiteral("gzip"), {"-dc", path}).output;
}

// The text of one section of a manual page, from ".SH name" to the next.
QByteArray manualSection(const QByteArray& page, const QByteArray& name)
{
    const int start = page.indexOf(".SH " + name + '\n');
    if (start < 0)
        return QByteArray();
    const int end = page.indexOf("\n.SH ", start + 1);
    return page.mid(start, end < 0 ? -1 : end - start);
}

// The first capture of every match, sorted, without repeats.
QStringList capturedNames(const QByteArray& text, const QString& pattern)
{
    QStringList names;
    for (const auto& match : QRegularExpression(pattern).globalMatch(QString::fromUtf8(text)))
        names << match.captured(1);
    names.sort();
    names.removeDuplicates();
    return names;
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
    // The checker runs from the prefix: a folder without a record is exit 2.
    const Finished verified = runTool(installed("bin/prizmora-verify"), {dir.path()});
    EXPECT_EQ(verified.exitCode, 2) << verified.output.toStdString();
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

TEST_F(Install, ManualPagesDescribeEveryWorkingFileKeyAndVariable)
{
    const QByteArray program = gunzipped(installed("share/man/man1/prizmora.1.gz"));
    const QByteArray launch = gunzipped(installed("share/man/man1/prizmora-launch.1.gz"));
    const QByteArray files = manualSection(program, "FILES");
    for (const char* name :
         {working_files::kSettings, working_files::kParticipants, working_files::kResults,
          draw_history::kFileName, "bg.jpg", "01.wav", "02.wav", "Tombolex.desktop"})
        EXPECT_TRUE(files.contains(name)) << name;
    const QByteArray verify = gunzipped(installed("share/man/man1/prizmora-verify.1.gz"));
    for (const char* name : {draw_record::kFileName, draw_record::kSnapshotFolder})
        EXPECT_TRUE(manualSection(verify, "FILES").contains(name)) << name;
    EXPECT_TRUE(manualSection(verify, "OPTIONS").contains("report"));
    const QByteArray keys = manualSection(program, "KEYS");
    for (const char* key : {"Enter", "F11", "Esc"})
        EXPECT_TRUE(keys.contains(QByteArray(".B ") + key + '\n')) << key;

    // Every variable the start script reads has its entry.
    const QByteArray environment = manualSection(launch, "ENVIRONMENT");
    const QStringList variables = capturedNames(sourceFile("scripts/prizmora-launch"),
                                                QStringLiteral("\\$\\{?([A-Z][A-Z_]+)"));
    EXPECT_TRUE(variables.contains("PRIZMORA_WORKDIR")) << variables.join(' ').toStdString();
    for (const QString& variable : variables)
        EXPECT_TRUE(environment.contains(".B " + variable.toUtf8() + '\n'))
            << variable.toStdString();
}

TEST_F(Install, CopyrightCarriesTheLicenseAndCompressedFilesAreReproducible)
{
    const QByteArray license = sourceFile("LICENSE");
    // The copyright file's License paragraph is the same text, folded the
    // Debian way: each line indented, an empty line written " .".
    QByteArray folded;
    const int terms = license.indexOf("Permission is hereby granted");
    ASSERT_GE(terms, 0);
    for (const QByteArray& line : license.mid(terms).trimmed().split('\n'))
        folded += line.isEmpty() ? QByteArray(" .\n") : ' ' + line + '\n';
    const QByteArray copyright = readFile(installed("share/doc/prizmora/copyright"));
    EXPECT_TRUE(copyright.endsWith("License: MIT\n" + folded)) << copyright.toStdString();

    // gzip -n: neither the file name nor a time stamp in the header.
    for (const char* path :
         {"share/doc/prizmora/changelog.gz", "share/man/man1/prizmora.1.gz",
          "share/man/man1/prizmora-launch.1.gz", "share/man/man1/prizmora-verify.1.gz"}) {
        const QByteArray header = readFile(installed(path)).left(10);
        ASSERT_TRUE(header.startsWith("\x1f\x8b")) << path;
        EXPECT_EQ(header.at(3) & 0x08, 0) << path << ": carries its name";
        EXPECT_EQ(header.mid(4, 4), QByteArray(4, '\0')) << path << ": carries a time stamp";
    }

    // One release everywhere: the package's version, the changelog's newest
    // entry, the newest release of the metadata and the manual pages.
    const QString changelog =
        QString::fromUtf8(gunzipped(installed("share/doc/prizmora/changelog.gz")));
    const auto entry =
        QRegularExpression(QStringLiteral("^prizmora \\(([^)]+)\\) .*?\\n -- [^\\n]*>  "
                                          "\\w{3}, (\\d{2} \\w{3} \\d{4}) "),
                           QRegularExpression::DotMatchesEverythingOption)
            .match(changelog);
    ASSERT_TRUE(entry.hasMatch()) << changelog.left(200).toStdString();
    EXPECT_EQ(entry.captured(1), PRIZMORA_VERSION);
    const QString metainfo =
        QString::fromUtf8(readFile(installed("share/metainfo/org.prizmora.Prizmora.metainfo.xml")));
    const auto release =
        QRegularExpression(QStringLiteral("<release version=\"([^\"]+)\" date=\"([^\"]+)\""))
            .match(metainfo);
    ASSERT_TRUE(release.hasMatch());
    EXPECT_EQ(release.captured(1), PRIZMORA_VERSION);
    EXPECT_EQ(release.captured(2), QLocale::c()
                                       .toDate(entry.captured(2), QStringLiteral("dd MMM yyyy"))
                                       .toString(Qt::ISODate));
    for (const char* page : {"share/man/man1/prizmora.1.gz", "share/man/man1/prizmora-launch.1.gz",
                             "share/man/man1/prizmora-verify.1.gz"})
        EXPECT_TRUE(gunzipped(installed(page))
                        .split('\n')
                        .first()
                        .contains("\"Prizmora " PRIZMORA_VERSION "\""))
            << page;
}

TEST_F(Install, MetadataPassesAppstreamAndShowsTheReadmeScreenshots)
{
    const QByteArray metainfo =
        readFile(installed("share/metainfo/org.prizmora.Prizmora.metainfo.xml"));
    for (const char* element : {"<summary xml:lang=\"zh_CN\">", "<p xml:lang=\"zh_CN\">",
                                "<content_rating type=\"oars-1.1\""})
        EXPECT_TRUE(metainfo.contains(element)) << element;
    const QString name = QStringLiteral("([a-z0-9-]+\\.png)");
    const QStringList readme =
        capturedNames(sourceFile("README.md"), "\\(docs/screenshots/" + name + "\\)");
    EXPECT_FALSE(readme.isEmpty());
    EXPECT_EQ(capturedNames(metainfo, "<image>https://[^<]*/" + name + "</image>"), readme);

    const QString appstream = QStandardPaths::findExecutable("appstreamcli");
    if (appstream.isEmpty())
        GTEST_SKIP() << "appstreamcli is not installed (package appstream)";
    // The whole tree: the metadata and the menu entry its launchable names.
    // Warnings fail it as errors do.
    const Finished validated = runTool(appstream, {"validate-tree", "--no-net", prefix});
    EXPECT_EQ(validated.exitCode, 0) << validated.output.toStdString();
}

// Builds the package once, under a group-writable umask as some accounts
// have, and runs Debian's own checker on it, manual pages and all.
TEST(DebianPackage, LintianFindsNoErrorsOrWarnings)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "a sanitized build is not what the package ships";
#endif
    const QString lintian = QStandardPaths::findExecutable("lintian");
    if (lintian.isEmpty())
        GTEST_SKIP() << "lintian is not installed (package lintian)";
    QTemporaryDir output;
    ASSERT_TRUE(output.isValid());
    const Finished packed =
        runTool(QStringLiteral("/bin/sh"),
                {"-c", "umask 002 && exec \"$0\" -G DEB -B \"$1\" --config CPackConfig.cmake",
                 PRIZMORA_CPACK_COMMAND, output.path()},
                PRIZMORA_BUILD_DIR);
    ASSERT_EQ(packed.exitCode, 0) << packed.output.toStdString();
    const QStringList packages =
        QDir(output.path()).entryList({"prizmora_" PRIZMORA_VERSION "_*.deb"}, QDir::Files);
    ASSERT_EQ(packages.size(), 1) << packed.output.toStdString();

    // Errors and warnings fail it; informational and pedantic tags are shown.
    const Finished checked = runTool(
        lintian, {"--fail-on", "error,warning", "--pedantic", output.filePath(packages.first())});
    EXPECT_EQ(checked.exitCode, 0) << checked.output.toStdString();
}

} // namespace
