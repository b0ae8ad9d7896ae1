// One program per working folder: a second start hands over to the running
// copy and changes nothing; a crashed copy does not block the next start;
// copies in different folders run side by side. (The window coming back from
// minimized is checked on a real X desktop: e2e.second_start.)

#include "app/startup_single_copy.h"
#include "platform/qt/running_copy.h"
#include "small_filesystem.h"
#include "support/fake_services.h"
#include "support/working_directory.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

TEST(SecondCopy, ARunningCopyThatCannotBeReachedIsReportedInABox)
{
    ScopedWorkingDirectory dir;
    ScopedFakeServices fakes;
    // Held here as by a copy that never opened its channel.
    WorkingFolderLock running(dir.path());
    SingleCopyPerFolder second(300);
    ASSERT_FALSE(second.runsHere());
    EXPECT_EQ(second.handOver(), 1);
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("警告"));
    EXPECT_EQ(fakes.boxes.shown[0].text,
              QStringLiteral("抽奖程序已在此文件夹中运行，但无法切换到它：\n") + dir.path());
    EXPECT_TRUE(namesIn(dir.path()).isEmpty());
}

using Snapshot = std::map<QString, std::pair<QByteArray, qint64>>;

Snapshot snapshot(const QString& folder)
{
    Snapshot files;
    for (const QString& name : namesIn(folder)) {
        QFile file(folder + QLatin1Char('/') + name);
        file.open(QIODevice::ReadOnly);
        files[name] = {file.readAll(),
                       file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch()};
    }
    return files;
}

// The real program, offscreen, in a party folder of its own with a title
// picture (so no box stops the start) and a stale results line to empty.
struct ProgramCopy
{
    ProgramCopy(const QString& folder, const QString& home, bool prepare = true)
    {
        QImage picture(700, 110, QImage::Format_RGB888);
        picture.fill(Qt::red);
        if (prepare && !picture.save(folder + QStringLiteral("/bg.jpg"), "JPG"))
            ADD_FAILURE() << "cannot write the title picture";
        QFile stale(folder + QStringLiteral("/retotal.txt"));
        if (prepare && (!stale.open(QIODevice::WriteOnly) || stale.write("stale\r\n") != 7))
            ADD_FAILURE() << "cannot write the results file";
        stale.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), home); // no launcher on a real desktop
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder);
        process.start(QStringLiteral(PRIZMORA_PROGRAM), QStringList());
    }
    ~ProgramCopy()
    {
        process.kill();
        process.waitForFinished(10000);
    }
    QProcess process;
};

// True once the folder's copy has emptied the results file and answers on
// its channel, which it does from its event loop, its start-up writes done.
bool startedAndAnswering(const QString& folder)
{
    const QFileInfo results(folder + QStringLiteral("/retotal.txt"));
    if (!QTest::qWaitFor([&] { return QFileInfo(results.filePath()).size() == 0; }, 60000))
        return false;
    RunningCopyCaller caller;
    QSignalSpy answered(&caller, &RunningCopyCaller::finished);
    caller.ask(running_copy::channelName(QFileInfo(folder).canonicalFilePath()), 30000);
    return answered.wait(40000) && answered.at(0).at(0).toBool();
}

TEST(SecondCopy, TheRealProgramStartedTwiceHandsOverAndChangesNoFile)
{
    QTemporaryDir home;
    QTemporaryDir folder;
    QTemporaryDir otherFolder;
    ProgramCopy first(folder.path(), home.path());
    ASSERT_TRUE(startedAndAnswering(folder.path()));
    const Snapshot before = snapshot(folder.path());

    ProgramCopy second(folder.path(), home.path(), false);
    ASSERT_TRUE(second.process.waitForFinished(60000));
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_EQ(snapshot(folder.path()), before);

    ProgramCopy elsewhere(otherFolder.path(), home.path());
    EXPECT_TRUE(startedAndAnswering(otherFolder.path())) << "side by side";
    EXPECT_EQ(first.process.state(), QProcess::Running);

    // A crashed copy leaves the folder free for the next start.
    first.process.kill();
    ASSERT_TRUE(first.process.waitForFinished(10000));
    ProgramCopy next(folder.path(), home.path());
    EXPECT_TRUE(startedAndAnswering(folder.path())) << "the next start did not run";
}

} // namespace
