// Each working file missing, a folder where the file should be, or marked
// read-only: the documented message or the documented silence, and the
// program goes on.

#include "base/atomic_file.h"
#include "child_process.h"
#include "reliability_support.h"
#include "storage/settings_file.h"
#include "storage/text_line_list.h"

#include <QLineEdit>

namespace {

const QString kSettings = QLatin1String(working_files::kSettings);
const QString kParticipants = QLatin1String(working_files::kParticipants);
const QString kResults = QLatin1String(working_files::kResults);

TEST_F(StartUpTest, SettingsFolderInPlaceOfTheFileReadsEmptyAndRefusesTheDefaults)
{
    QDir(dir.path()).mkdir(kSettings);
    EXPECT_EQ(readSetting("s", "k"), QByteArray());
    window();
    ASSERT_EQ(boxTexts(), QStringList{"Unable to write to " +
                                      QDir::toNativeSeparators(dir.filePath(kSettings)) + "."});
    // The draw still has its lists and results file: with no counts it says so.
    writeParticipants(3);
    button("btn3")->click();
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_EQ(fakes.boxes.shown[1].text, draw_texts::totalIsZero());
    EXPECT_EQ(dir.readFile(kResults), QByteArray());
}

TEST_F(StartUpTest, ReadOnlySettingsFileStartsWithoutWritingAndRefusesEveryWrite)
{
    const QByteArray stored = G("[基本设置]\r\n抽奖标题=只读\r\n标题背景=bg.jpg\r\n");
    dir.writeFile(kSettings, stored);
    dir.makeReadOnly(kSettings);
    window();
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_EQ(control<QLabel>("lbl2")->text(), QStringLiteral("只读"));
    EXPECT_EQ(errorOf([] { writeSetting(G("基本设置"), G("抽奖标题"), G("新")); }),
              "Unable to write to " + QDir::toNativeSeparators(dir.filePath(kSettings)));
    EXPECT_EQ(dir.readFile(kSettings), stored);
}

TEST(ParticipantFileInTheWay, MissingOrAFolderGivesTheMissingFileWarning)
{
    DrawHarness draw;
    draw.click();
    QDir(draw.dir.path()).mkdir(kParticipants);
    draw.click();
    ASSERT_EQ(draw.surface.notices.size(), 2u);
    for (const DrawNotice& notice : draw.surface.notices) {
        EXPECT_EQ(notice.text, draw_texts::participantFileMissing());
        EXPECT_EQ(notice.kind, DrawNotice::Kind::Warning);
    }
    EXPECT_FALSE(draw.surface.running());
    EXPECT_TRUE(draw.fakes.sound.played.empty());
}

TEST(ParticipantFileInTheWay, ReadOnlyFileIsDrawnFromButNotReplaced)
{
    DrawHarness draw;
    draw.setParticipants(numbered(12));
    draw.dir.makeReadOnly(kParticipants);
    draw.startAndStop();
    EXPECT_EQ(draw.resultsFile().count("\r\n"), 1);
    const AtomicWriteResult import = writeFileAtomically(kParticipants, "new\r\n");
    EXPECT_EQ(import.status, AtomicWriteResult::Status::CannotCreate);
    EXPECT_EQ(draw.dir.readFile(kParticipants), joinLinesWithCrLf(numbered(12)));
}

TEST(ResultsFileInTheWay, MissingFailsTheClickWithTheOpenErrorAndKeepsTheDraw)
{
    DrawHarness draw;
    draw.setParticipants(numbered(12));
    draw.click();
    QFile::remove(draw.dir.filePath(kResults));
    EXPECT_TRUE(isOpenError(errorOf([&] { draw.click(); }), kResults));
    EXPECT_TRUE(draw.surface.running());
    EXPECT_TRUE(draw.surface.timerEnabled);
}

TEST(ResultsFileInTheWay, AFolderFailsLoadAndSaveWithTheirMessages)
{
    DrawHarness draw;
    draw.setParticipants(numbered(12));
    QFile::remove(draw.dir.filePath(kResults));
    QDir(draw.dir.path()).mkdir(kResults);
    EXPECT_TRUE(isOpenError(errorOf([&] { draw.click(); }), kResults));
    EXPECT_TRUE(isCreateError(errorOf([] { TextLineList().save(kResults); }), kResults));
    EXPECT_FALSE(draw.surface.running());
}

TEST(ResultsFileInTheWay, ReadOnlyFileRefusesTheRecordAndIsLeftAsItWas)
{
    DrawHarness draw;
    draw.setParticipants(numbered(12));
    draw.dir.writeFile(kResults, G("五等奖：P3\r\n"));
    draw.dir.makeReadOnly(kResults);
    draw.settings.countTexts = {"", "", "", "", "", "2"};
    draw.click();
    EXPECT_TRUE(isCreateError(errorOf([&] { draw.click(); }), kResults));
    EXPECT_EQ(draw.resultsFile(), G("五等奖：P3\r\n"));
    // The winner was picked before the record failed; nothing else moved.
    EXPECT_FALSE(draw.currentWinner.isEmpty());
    EXPECT_TRUE(draw.surface.resultLines.empty());
    EXPECT_TRUE(draw.surface.progressText.isEmpty());
}

TEST_F(StartUpTest, ReadOnlyResultsFileIsReportedAtStartAndTheWindowOpens)
{
    dir.writeFile(kResults, "old\r\n");
    dir.makeReadOnly(kResults);
    window();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(isCreateError(fakes.boxes.shown[0].text.chopped(1), kResults));
    EXPECT_EQ(dir.readFile(kResults), "old\r\n");
    EXPECT_EQ(control<QLabel>("lbl2")->text(), QStringLiteral("2011年春节员工抽奖"));
}

TEST_F(StartUpTest, MissingOrFolderPictureIsReportedOnceAndTheWindowOpens)
{
    QFile::remove(dir.filePath("bg.jpg"));
    QDir(dir.path()).mkdir("bg.jpg");
    window();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(isOpenError(fakes.boxes.shown[0].text.chopped(1), QStringLiteral("bg.jpg")));
    EXPECT_EQ(dir.readFile(kResults), QByteArray());
}

TEST(SavedResultsInTheWay, AFolderOrReadOnlyFileIsRefusedWithTheCreateError)
{
    ScopedWorkingDirectory dir;
    QDir(dir.path()).mkdir("saved");
    dir.writeFile("readonly.txt", "kept");
    dir.makeReadOnly("readonly.txt");
    for (const QString& name : {QStringLiteral("saved"), QStringLiteral("readonly.txt")})
        EXPECT_TRUE(
            isCreateError(errorOf([&] { writeFileAtomicallyOrThrow(name, "x\r\n"); }), name));
    EXPECT_EQ(dir.readFile("readonly.txt"), "kept");
}

// Root ignores folder permissions, so the writes are tried by the helper
// process running as an unprivileged user.
TEST(ReadOnlyFolder, NewFilesAreRefusedAndExistingWritableFilesStillWritten)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("existing.ini", "[s]\r\nk=old\r\n");
    dir.writeFile("existing.txt", "A\r\nB\r\n");
    const int user = geteuid() == 0 ? 65534 : -1;
    if (user >= 0) {
        for (const char* name : {"", "existing.ini", "existing.txt"})
            ASSERT_EQ(chown(dir.filePath(QLatin1String(name)).toLocal8Bit().constData(),
                            static_cast<uid_t>(user), static_cast<gid_t>(user)),
                      0);
    }
    makeReadOnlyFolder(dir.path());

    ChildProcess child({QStringLiteral("write-probe"), dir.path()}, user);
    QByteArray output;
    ASSERT_EQ(child.finish(&output), 0) << output.toStdString();
    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    EXPECT_EQ(
        QString::fromUtf8(output).split('\n', Qt::SkipEmptyParts),
        (QStringList{"new settings: Unable to write to " + folder + "rafflixset.ini",
                     "existing settings: ok",
                     "new results: Cannot create file \"" + folder + "retotal.txt\". 权限被拒绝",
                     "existing results: ok", "participants: ok"}));
    EXPECT_EQ(dir.readFile("existing.ini"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(dir.readFile("existing.txt"), QByteArray());
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
