// One program per working folder: a second start hands over to the running
// copy and changes nothing; a crashed copy does not block the next start;
// copies in different folders run side by side.

#include "app/startup_single_copy.h"
#include "child_process.h"
#include "platform/qt/running_copy.h"
#include "platform/qt/working_folder_lock.h"
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
#include <QWidget>
#include <gtest/gtest.h>
#include <map>

namespace {

using State = WorkingFolderLock::State;

TEST(SecondCopy, TheFolderLockIsOnePerFolderAndGoesWithItsHolder)
{
    QTemporaryDir first;
    QTemporaryDir second;
    {
        WorkingFolderLock running(first.path());
        EXPECT_EQ(running.state(), State::Acquired);
        EXPECT_EQ(WorkingFolderLock(first.path()).state(), State::HeldByAnother);
        EXPECT_EQ(WorkingFolderLock(second.path()).state(), State::Acquired);
    }
    EXPECT_EQ(WorkingFolderLock(first.path()).state(), State::Acquired);
    EXPECT_TRUE(namesIn(first.path()).isEmpty()) << "the lock makes no file";

    // A copy that is killed leaves no lock behind.
    ChildProcess holder({QStringLiteral("hold-lock"), first.path()});
    ASSERT_TRUE(holder.waitUntilReady(20000));
    EXPECT_EQ(WorkingFolderLock(first.path()).state(), State::HeldByAnother);
    ASSERT_TRUE(holder.kill());
    EXPECT_EQ(WorkingFolderLock(first.path()).state(), State::Acquired);
}

TEST(SecondCopy, ARequestRestoresAndRaisesTheRunningWindowAndIsAnswered)
{
    QTemporaryDir folder;
    const QString name = running_copy::channelName(folder.path());
    RunningCopyServer server(name);
    ASSERT_TRUE(server.listening());
    QWidget window;
    window.showMinimized();
    server.setWindow(&window);

    RunningCopyCaller caller;
    QSignalSpy answered(&caller, &RunningCopyCaller::finished);
    caller.ask(name, 10000);
    ASSERT_TRUE(answered.wait(15000));
    EXPECT_TRUE(answered.at(0).at(0).toBool());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());

    // Nobody listening under another folder's name: no answer, in time.
    QTemporaryDir other;
    RunningCopyCaller unanswered;
    QSignalSpy gaveUp(&unanswered, &RunningCopyCaller::finished);
    unanswered.ask(running_copy::channelName(other.path()), 500);
    ASSERT_TRUE(gaveUp.wait(15000));
    EXPECT_FALSE(gaveUp.at(0).at(0).toBool());
}

// Every file of a folder with its bytes and modification time.
std::map<QString, std::pair<QByteArray, qint64>> snapshot(const QString& folder)
{
    std::map<QString, std::pair<QByteArray, qint64>> files;
    for (const QString& name : namesIn(folder)) {
        const QFileInfo info(folder + QLatin1Char('/') + name);
        files[name] = {info.isFile() ? bytesOf(info.filePath()) : QByteArray(),
                       info.lastModified().toMSecsSinceEpoch()};
    }
    return files;
}

// The real program, offscreen, with a home of its own so that nothing
// outside the test's folders is written.
class ProgramCopy
{
  public:
    ProgramCopy(const QString& folder, const QString& home)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        environment.insert(QStringLiteral("XDG_DESKTOP_DIR"), home + QStringLiteral("/Desktop"));
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(folder);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start(QStringLiteral(PRIZMORA_PROGRAM), QStringList());
    }
    ~ProgramCopy()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }
    QProcess& process() { return process_; }

  private:
    QProcess process_;
};

// A folder a party could start in: a title picture, so no box stops the start.
void preparePartyFolder(const QTemporaryDir& folder)
{
    QImage picture(700, 110, QImage::Format_RGB888);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath("bg.jpg"), "JPG"));
    writeBytes(folder.filePath("retotal.txt"), "stale\r\n");
}

bool waitForEmptyResults(const QString& folder)
{
    const QString results = folder + QStringLiteral("/retotal.txt");
    return QTest::qWaitFor(
        [&] { return QFileInfo(results).isFile() && QFileInfo(results).size() == 0; }, 60000);
}

// True once the folder's running copy answers on its channel, which it does
// from its event loop, when its start-up has written all it writes.
bool answers(const QString& folder)
{
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
    preparePartyFolder(folder);
    preparePartyFolder(otherFolder);
    ProgramCopy first(folder.path(), home.path());
    ASSERT_TRUE(waitForEmptyResults(folder.path())) << "the first copy never started";
    ASSERT_TRUE(answers(folder.path())) << "the first copy never reached its event loop";
    writeBytes(folder.filePath("retotal.txt"), QByteArray()); // settle its time stamp
    const auto before = snapshot(folder.path());

    ProgramCopy second(folder.path(), home.path());
    ASSERT_TRUE(second.process().waitForFinished(60000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_EQ(snapshot(folder.path()), before);
    EXPECT_EQ(first.process().state(), QProcess::Running);

    // Side by side with a copy in another folder.
    ProgramCopy elsewhere(otherFolder.path(), home.path());
    ASSERT_TRUE(waitForEmptyResults(otherFolder.path()));
    EXPECT_EQ(elsewhere.process().state(), QProcess::Running);
    EXPECT_EQ(first.process().state(), QProcess::Running);

    // A crashed first copy leaves the folder free for the next start.
    first.process().kill();
    ASSERT_TRUE(first.process().waitForFinished(10000));
    writeBytes(folder.filePath("retotal.txt"), "stale\r\n");
    ProgramCopy next(folder.path(), home.path());
    EXPECT_TRUE(waitForEmptyResults(folder.path())) << "the next start did not run";
    EXPECT_EQ(next.process().state(), QProcess::Running);
}

} // namespace

namespace {

TEST(SecondCopy, ARunningCopyThatCannotBeReachedIsReportedInABox)
{
    ScopedWorkingDirectory dir;
    ScopedFakeServices fakes;
    // Held here as a copy would hold it that never opened its channel.
    WorkingFolderLock running(dir.path());
    ASSERT_EQ(running.state(), State::Acquired);
    SingleCopyPerFolder second(300);
    ASSERT_FALSE(second.runsHere());
    EXPECT_EQ(second.handOver(), 1);
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("警告"));
    EXPECT_EQ(fakes.boxes.shown[0].text,
              QStringLiteral("抽奖程序已在此文件夹中运行，但无法切换到它：\n") + dir.path());
    EXPECT_TRUE(namesIn(dir.path()).isEmpty());
}

} // namespace
