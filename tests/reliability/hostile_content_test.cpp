// Working files with content the program never writes itself: zero bytes,
// bytes that are not GBK, a 10 MB line, foreign results lines, settings
// values longer than a read returns.

#include "reliability_support.h"
#include "storage/settings_file.h"
#include "storage/text_line_list.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QString kParticipants = QLatin1String(working_files::kParticipants);
const QString kResults = QLatin1String(working_files::kResults);

// Divisible by every candidate count from 1 to 12: the pick is index 0 however
// many earlier winners were removed (and index k at k seconds more).
constexpr qint64 kFirstCandidateSeconds = 999999000;

TEST(ZeroByte, EndsTheParticipantTextAndTheDrawUsesTheLinesBeforeIt)
{
    DrawHarness draw;
    draw.settings.countTexts = {"", "", "", "", "", "1"};
    draw.dir.writeFile(kParticipants, QByteArray("A\r\nB\0C\r\nD\r\n", 11));
    draw.setPickSeconds(kFirstCandidateSeconds + 1);
    draw.startAndStop();
    EXPECT_EQ(draw.participants.copyLines(), (std::vector<QByteArray>{"A", "B"}));
    EXPECT_EQ(draw.resultsFile(), G("五等奖：B\r\n"));
}

// The results file is rewritten whole from what a load reads, so what stands
// after a zero byte is not carried over. The program's own lines never hold
// one: only an edit by hand can put it there.
TEST(ZeroByte, InTheResultsFileEndsWhatTheNextRecordCarriesOver)
{
    DrawHarness draw;
    draw.settings.countTexts = {"", "", "", "", "", "5"};
    draw.settings.repeatText = G("是");
    draw.setParticipants(numbered(12));
    draw.dir.writeFile(kResults, G("五等奖：P1\r\n") + QByteArray("\0", 1) + G("五等奖：P2\r\n"));
    draw.setPickSeconds(kFirstCandidateSeconds + 3);
    draw.startAndStop();
    EXPECT_EQ(draw.surface.progressText, G("进度：2/5"));
    EXPECT_EQ(draw.resultsFile(), G("五等奖：P1\r\n五等奖：P3\r\n"));
}

TEST(ZeroByte, EndsASettingsValueAndAWriteKeepsTheBytesAfterIt)
{
    ScopedWorkingDirectory dir;
    const QByteArray stored("[s]\r\nk=ab\0cd\r\nz=1\r\n", 19);
    dir.writeFile("rafflixset.ini", stored);
    EXPECT_EQ(readSetting("s", "k"), "ab");
    EXPECT_EQ(readSetting("s", "z"), "1");
    writeSetting("s", "y", "2");
    EXPECT_EQ(dir.readFile("rafflixset.ini"), QByteArray("[s]\r\nk=ab\0cd\r\nz=1\r\ny=2\r\n", 24));
}

std::vector<QByteArray> notGbk()
{
    return {QByteArray("\x80"), QByteArray("\xff\xfe"), QByteArray("A\x81"),
            QByteArray("\xb0\x20x"), QByteArray("\x81\x7f")};
}

TEST(InvalidGbk, ParticipantLinesAreDrawnRecordedAndRemovedByTheirBytes)
{
    DrawHarness draw;
    std::vector<QByteArray> lines = notGbk();
    lines.push_back(G("张三"));
    draw.setParticipants(lines);
    draw.settings.countTexts = {"", "", "", "", "", "5"};
    draw.setPickSeconds(kFirstCandidateSeconds);
    QByteArray expected;
    for (int i = 0; i < 5; ++i) {
        draw.startAndStop();
        EXPECT_EQ(draw.currentWinner, lines[static_cast<size_t>(i)]) << i;
        expected += G("五等奖：") + lines[static_cast<size_t>(i)] + "\r\n";
    }
    EXPECT_EQ(draw.resultsFile(), expected);
}

TEST_F(StartUpTest, InvalidGbkInSettingsValuesIsShownReplacedAndNeverBreaksTheStart)
{
    dir.writeFile("rafflixset.ini", G("[基本设置]\r\n抽奖标题=") + "\x81\xff" + G("年会") +
                                        G("\r\n标题背景=bg.jpg\r\n开始音乐=") + "\xff.wav" +
                                        G("\r\n[奖项设置]\r\n五等奖人数=") + "\x81\x7f\r\n");
    window();
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_TRUE(control<QLabel>("lbl2")->text().endsWith(QStringLiteral("年会")));
    EXPECT_TRUE(control<QLabel>("lbl2")->text().contains(QChar::ReplacementCharacter));

    writeParticipants(12);
    button("btn3")->click();
    EXPECT_EQ(boxTexts(),
              QStringList{"'" + gbk::decode("\x81\x7f") + "' is not a valid integer value."});
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
    EXPECT_TRUE(fakes.sound.played.empty());

    const QByteArray picture = QByteArray(".\\\x81\x7f.jpg");
    writeSetting(G("基本设置"), G("标题背景"), picture);
    EXPECT_TRUE(isOpenError(errorOf([&] { window().loadMainWindowState(); }),
                            file_paths::toLocalPath(picture)));
}

TEST_F(StartUpTest, InvalidGbkParticipantIsShownReplacedAndRecordedExactly)
{
    dir.writeFile("rafflixset.ini",
                  G("[基本设置]\r\n标题背景=bg.jpg\r\n[奖项设置]\r\n五等奖人数=1\r\n"));
    dir.writeFile(kParticipants, QByteArray("\x81\x7f\xff\r\nB\r\n"));
    window();
    fakes.clock.time = QDateTime(QDate(2011, 1, 30), QTime(14, 30, 4)); // an even second: index 0
    button("btn3")->click();
    button("btn3")->click();
    EXPECT_EQ(dir.readFile(kResults), G("五等奖：") + "\x81\x7f\xff\r\n");
    EXPECT_TRUE(
        control<QPlainTextEdit>("mmo1")->toPlainText().contains(QChar::ReplacementCharacter));

    // The saved results are the field's text: what could not be shown is
    // saved as shown, while the results file keeps the exact bytes.
    fakes.dialogs.answers = {dir.filePath("saved.txt")};
    button("btn5")->click();
    const std::vector<QByteArray> saved = splitIntoLines(dir.readFile("saved.txt"));
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_TRUE(saved[1].startsWith(G("五等奖：") + gbk::encode(gbk::decode("\x81\x7f\xff"))));
}

TEST(InvalidGbk, ForeignResultsLinesAreCarriedOverByteForByte)
{
    DrawHarness draw;
    draw.settings.countTexts = {"", "", "", "", "", "5"};
    draw.setParticipants(numbered(12));
    const QByteArray foreign = QByteArray("\x80\xff note\r\n") + G("五等奖：") + "\xfe\r\n";
    draw.dir.writeFile(kResults, foreign);
    draw.setPickSeconds(kFirstCandidateSeconds);
    draw.startAndStop();
    EXPECT_EQ(draw.resultsFile(), foreign + G("五等奖：P0\r\n"));
}

TEST(TenMegabyteLine, IsAParticipantLikeAnyOtherAndIsRecordedWhole)
{
    DrawHarness draw;
    const QByteArray huge(10 * 1024 * 1024, 'x');
    draw.setParticipants({huge, "B", "C"});
    draw.settings.countTexts = {"", "", "", "", "", "2"};
    draw.setPickSeconds(kFirstCandidateSeconds);
    draw.startAndStop();
    EXPECT_EQ(draw.currentWinner, huge);
    draw.startAndStop(); // the huge line is found again and removed
    EXPECT_EQ(draw.currentWinner, "B");
    EXPECT_EQ(draw.resultsFile(), G("五等奖：") + huge + "\r\n" + G("五等奖：B\r\n"));
}

TEST(TenMegabyteLine, InTheSettingsFileReadsAs2047BytesAndSurvivesOtherWrites)
{
    ScopedWorkingDirectory dir;
    const QByteArray huge(10 * 1024 * 1024, 'v');
    dir.writeFile("rafflixset.ini", "[s]\r\nk=" + huge + "\r\n");
    EXPECT_EQ(readSetting("s", "k"), QByteArray(2047, 'v'));
    writeSetting("s", "other", "1");
    EXPECT_EQ(dir.readFile("rafflixset.ini"), "[s]\r\nk=" + huge + "\r\nother=1\r\n");
}

// Lines without a level, shorter than a label, empty or naming nobody in the
// list count toward the total and stay in the file.
TEST(ForeignResultsLines, CountTowardTheTotalAndAreKeptThroughRecords)
{
    DrawHarness draw;
    draw.settings.countTexts = {"", "", "", "", "", "6"};
    draw.setParticipants(numbered(12));
    draw.dir.writeFile(kResults, G("手工备注\r短\n\r\n五等奖：不在名单\r\n"));
    draw.setPickSeconds(kFirstCandidateSeconds);
    draw.startAndStop();
    draw.startAndStop();
    EXPECT_EQ(draw.resultsFile(),
              G("手工备注\r\n短\r\n\r\n五等奖：不在名单\r\n五等奖：P0\r\n五等奖：P1\r\n"));
    EXPECT_EQ(draw.surface.progressText, G("进度：6/6"));
    draw.click();
    ASSERT_FALSE(draw.surface.notices.empty());
    EXPECT_EQ(draw.surface.notices.back().text, draw_texts::allDrawn());
}

// Lines of a level past its count, from an edit by hand or a round taken back
// under lower counts, fill no place: the other levels still get every winner
// they are set for before the draw is complete.
TEST(ForeignResultsLines, ALevelHoldingMoreThanItsCountLeavesTheOpenPlacesToTheirLevel)
{
    DrawHarness draw;
    draw.settings.countTexts = {"2", "", "", "", "", "1"};
    draw.setParticipants(numbered(12));
    draw.dir.writeFile(kResults, G("五等奖：P5\r\n五等奖：P6\r\n"));
    draw.setPickSeconds(kFirstCandidateSeconds);
    draw.startAndStop();
    // Not a third fifth prize: the grand prize still has its places.
    EXPECT_EQ(draw.resultsFile(), G("五等奖：P5\r\n五等奖：P6\r\n特等奖：P0\r\n"));
    EXPECT_EQ(draw.surface.progressText, G("进度：2/3（另有 1 名超出奖项人数）"));
    draw.setPickSeconds(kFirstCandidateSeconds + 1);
    draw.startAndStop();
    EXPECT_EQ(draw.resultsFile().count(G("特等奖：")), 2);
    EXPECT_EQ(draw.surface.progressText, G("进度：3/3（另有 1 名超出奖项人数）"));
    draw.click();
    ASSERT_FALSE(draw.surface.notices.empty());
    EXPECT_EQ(draw.surface.notices.back().text, draw_texts::allDrawn());
}

TEST_F(StartUpTest, SettingsValuesOverTheReadLimitAreCutTo2047Bytes)
{
    const QByteArray title = G("年") + QByteArray(3000, 'T');
    dir.writeFile("rafflixset.ini",
                  G("[基本设置]\r\n抽奖标题=") + title + G("\r\n标题背景=bg.jpg\r\n"));
    window();
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_EQ(gbk::encode(control<QLabel>("lbl2")->text()), title.left(2047));
    writeSetting(G("基本设置"), G("停止音乐"), QByteArray(5000, 'm'));
    EXPECT_EQ(readSetting(G("基本设置"), G("停止音乐")), QByteArray(2047, 'm'));
    EXPECT_TRUE(dir.readFile("rafflixset.ini").contains(QByteArray(5000, 'm')));
}

} // namespace
