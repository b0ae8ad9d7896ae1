#include "base/app_error.h"
#include "base/line_splitting.h"
#include "draw/round_files.h"
#include "draw/round_state.h"
#include "draw_harness.h"

#include <gtest/gtest.h>

namespace {

std::vector<QByteArray> numberedParticipants(int count)
{
    std::vector<QByteArray> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(G("员工") + QByteArray::number(i));
    return lines;
}

TEST(DrawCommand, StartRollsWithLoopingMusicAndStopRecordsTheFirstWinner)
{
    DrawHarness draw;
    draw.setParticipants(numberedParticipants(12));
    draw.setPickSeconds(1000000005); // 1000000005 mod 12 = 9

    draw.click();
    EXPECT_TRUE(draw.surface.running());
    EXPECT_TRUE(draw.surface.timerEnabled);
    ASSERT_EQ(draw.fakes.sound.played.size(), 1u);
    EXPECT_EQ(draw.fakes.sound.played[0].path, ".\\01.wav");
    EXPECT_EQ(draw.fakes.sound.played[0].flags, 9u);
    EXPECT_EQ(draw.surface.display, G("准备开始...")); // untouched until the first tick

    draw.surface.timerInterval = 1080;
    draw.click();
    EXPECT_FALSE(draw.surface.running());
    EXPECT_FALSE(draw.surface.timerEnabled);
    EXPECT_EQ(draw.surface.timerInterval, 100);
    ASSERT_EQ(draw.fakes.sound.played.size(), 2u);
    EXPECT_EQ(draw.fakes.sound.played[1].path, ".\\02.wav");
    EXPECT_EQ(draw.fakes.sound.played[1].flags, 1u);
    EXPECT_EQ(draw.currentWinner, G("员工9"));
    EXPECT_EQ(draw.resultsFile(), G("三等奖：员工9\r\n"));
    EXPECT_EQ(draw.surface.progressText, G("进度：1/10"));
    EXPECT_EQ(draw.surface.progressPosition, 10);
    ASSERT_EQ(draw.surface.resultLines.size(), 1u);
    EXPECT_EQ(draw.surface.resultLines[0], G("三等奖：员工9 时间：2001/9/9 09:46:45"));
    EXPECT_TRUE(draw.surface.notices.empty());
}

TEST(DrawCommand, TheDefaultDrawFillsTenWinnersFromThirdUpToGrandThenReportsAllDrawn)
{
    DrawHarness draw;
    draw.setParticipants(numberedParticipants(12));
    std::vector<QByteArray> remaining = numberedParticipants(12);
    const char* levels[] = {"三等奖：", "三等奖：", "三等奖：", "三等奖：", "二等奖：",
                            "二等奖：", "二等奖：", "一等奖：", "一等奖：", "特等奖："};
    const int positions[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    QByteArray expectedFile;
    for (int draws = 0; draws < 10; ++draws) {
        const qint64 seconds = 1300000000 + draws * 7;
        draw.setPickSeconds(seconds);
        draw.startAndStop();
        const QByteArray winner =
            remaining[static_cast<size_t>(seconds % qint64(remaining.size()))];
        remaining.erase(std::find(remaining.begin(), remaining.end(), winner));
        expectedFile += G(levels[draws]) + winner + "\r\n";
        ASSERT_EQ(draw.resultsFile(), expectedFile) << "after draw " << draws + 1;
        EXPECT_EQ(draw.surface.progressText, G("进度：") + QByteArray::number(draws + 1) + "/10");
        EXPECT_EQ(draw.surface.progressPosition, positions[draws]);
        EXPECT_TRUE(
            draw.surface.resultLines.back().startsWith(G(levels[draws]) + winner + G(" 时间：")));
    }
    // No line was drawn twice.
    std::vector<QByteArray> winners = splitIntoLines(expectedFile);
    std::sort(winners.begin(), winners.end());
    EXPECT_EQ(std::unique(winners.begin(), winners.end()), winners.end());

    draw.click();
    ASSERT_EQ(draw.surface.notices.size(), 1u);
    EXPECT_EQ(draw.surface.notices[0].kind, DrawNotice::Kind::Notice);
    EXPECT_EQ(draw.surface.notices[0].text, draw_texts::allDrawn());
    EXPECT_EQ(draw.surface.display, G("抽奖完毕！"));
    EXPECT_FALSE(draw.surface.running());
    EXPECT_EQ(draw.resultsFile(), expectedFile);
}

TEST(DrawCommand, LevelsWithNoCountAreSkipped)
{
    DrawHarness draw;
    draw.settings.countTexts = {"1", "", "0", "", "", "$2"};
    draw.setParticipants(numberedParticipants(5));
    for (int i = 0; i < 3; ++i)
        draw.startAndStop();
    const std::vector<QByteArray> lines = splitIntoLines(draw.resultsFile());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].startsWith(G("五等奖：")));
    EXPECT_TRUE(lines[1].startsWith(G("五等奖：")));
    EXPECT_TRUE(lines[2].startsWith(G("特等奖：")));
    EXPECT_EQ(draw.surface.progressText, G("进度：3/3"));
    draw.click();
    EXPECT_EQ(draw.surface.display, G("抽奖完毕！"));
}

TEST(DrawCommand, ChecksEndTheRunWithTheirWarning)
{
    struct Case
    {
        const char* name;
        std::function<void(DrawHarness&)> arrange;
        QString message;
    };
    const std::vector<Case> cases = {
        {"no participant file", [](DrawHarness&) {}, draw_texts::participantFileMissing()},
        {"empty participant file", [](DrawHarness& d) { d.dir.writeFile("rafflixlist.txt", ""); },
         draw_texts::participantListEmpty()},
        {"total zero",
         [](DrawHarness& d) {
             d.setParticipants(numberedParticipants(3));
             d.settings.countTexts = {"", "0", "", "", "", ""};
         },
         draw_texts::totalIsZero()},
        {"participants equal total",
         [](DrawHarness& d) { d.setParticipants(numberedParticipants(10)); },
         draw_texts::tooFewParticipants()},
    };
    for (const Case& c : cases) {
        DrawHarness draw;
        c.arrange(draw);
        // A draw that is rolling keeps rolling under the Start caption.
        draw.surface.caption = draw_texts::stopCaption();
        draw.surface.timerEnabled = true;
        draw.click();
        ASSERT_EQ(draw.surface.notices.size(), 1u) << c.name;
        EXPECT_EQ(draw.surface.notices[0].text, c.message) << c.name;
        EXPECT_EQ(draw.surface.notices[0].kind, DrawNotice::Kind::Warning) << c.name;
        EXPECT_FALSE(draw.surface.running()) << c.name;
        EXPECT_TRUE(draw.surface.timerEnabled) << c.name;
        EXPECT_TRUE(draw.fakes.sound.played.empty()) << c.name;
    }
}

TEST(DrawCommand, ACountThatIsNoNumberChangesNothing)
{
    DrawHarness draw;
    draw.setParticipants(numberedParticipants(12));
    draw.settings.countTexts[3] = "4 ";
    try {
        draw.click();
        FAIL() << "a count with a trailing blank was accepted";
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), "'4 ' is not a valid integer value");
    }
    EXPECT_FALSE(draw.surface.running());
    EXPECT_TRUE(draw.fakes.sound.played.empty());
}

TEST(DrawCommand, PickIsTheClockSecondsModuloTheCandidates)
{
    DrawHarness draw;
    draw.settings.countTexts = {"", "", "", "", "", "1"};
    draw.setParticipants({"A", "B", "C"});
    draw.setPickSeconds(1000000001);
    draw.startAndStop();
    EXPECT_EQ(draw.currentWinner, "C");
}

TEST(DrawCommand, CountsNearThe32BitLimitDoNotWrapTheTotal)
{
    DrawHarness draw;
    draw.settings.countTexts = {"2147483647", "1", "", "", "", ""};
    draw.setParticipants(numberedParticipants(5));
    draw.click();
    ASSERT_EQ(draw.surface.notices.size(), 1u);
    EXPECT_EQ(draw.surface.notices[0].text, draw_texts::tooFewParticipants());
}

TEST(DrawCommand, AMissingResultsFileFailsWithTheOpenErrorAndKeepsTheState)
{
    DrawHarness draw;
    draw.setParticipants(numberedParticipants(12));
    draw.click();
    QFile::remove(draw.dir.filePath("retotal.txt"));
    EXPECT_THROW(draw.click(), AppError);
    EXPECT_TRUE(draw.surface.running());
    EXPECT_TRUE(draw.surface.timerEnabled);
}

TEST(DrawCommand, RepeatsAllowedLetEarlierWinnersWinAgain)
{
    DrawHarness draw;
    draw.settings.repeatText = G("是");
    draw.settings.countTexts = {"", "", "", "", "", "3"};
    draw.setParticipants({"A", "B", "C", "D"});
    draw.setPickSeconds(1000000008); // index 0 of 4, 3 or 2 candidates
    for (int i = 0; i < 3; ++i)
        draw.startAndStop();
    EXPECT_EQ(draw.resultsFile(), G("五等奖：A\r\n五等奖：A\r\n五等奖：A\r\n"));

    draw.dir.writeFile("retotal.txt", "");
    draw.settings.repeatText = G("否");
    for (int i = 0; i < 3; ++i)
        draw.startAndStop();
    EXPECT_EQ(draw.resultsFile(), G("五等奖：A\r\n五等奖：B\r\n五等奖：C\r\n"));
}

TEST(DrawCommand, AWinnerWithATrailingBlankDoesNotBlockLaterStops)
{
    DrawHarness draw;
    draw.settings.countTexts = {"", "", "", "", "", "3"};
    draw.setParticipants({"A ", "B", "C", "D"});
    draw.setPickSeconds(1000000008);
    for (int i = 0; i < 3; ++i)
        draw.startAndStop();
    EXPECT_EQ(draw.resultsFile(), G("五等奖：A \r\n五等奖：B\r\n五等奖：C\r\n"));
}

// A round taken back under lower counts holds more winners than they ask for:
// the levels with open places are still drawn, the progress counts only the
// winners who fill a place, and the draw is complete once no place is open.
TEST(DrawCommand, ARoundOverLoweredCountsStillDrawsItsOpenLevels)
{
    DrawHarness draw;
    draw.settings.countTexts = {"1", "", "", "2", "1", "2"};
    std::vector<QByteArray> people;
    for (int i = 0; i < 20; ++i)
        people.push_back("P" + QByteArray::number(i));
    draw.setParticipants(people);
    draw.dir.writeFile("retotal.txt",
                       G("五等奖：P0\r\n五等奖：P1\r\n五等奖：P2\r\n五等奖：P3\r\n"
                         "五等奖：P4\r\n四等奖：P5\r\n四等奖：P6\r\n四等奖：P7\r\n"));
    draw.setPickSeconds(1000000000);
    draw.click();
    EXPECT_TRUE(draw.surface.notices.empty());
    EXPECT_EQ(draw.status.level, PrizeLevel::Third);
    draw.click();
    EXPECT_EQ(draw.surface.progressText, G("进度：4/6（另有 5 名超出奖项人数）"));
    for (int i = 0; i < 2; ++i)
        draw.startAndStop();
    EXPECT_EQ(draw.surface.progressText, G("进度：6/6（另有 5 名超出奖项人数）"));
    EXPECT_EQ(draw.surface.progressPosition, 100);
    const std::vector<QByteArray> lines = splitIntoLines(draw.resultsFile());
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_TRUE(lines[10].startsWith(G("特等奖：")));
    draw.click();
    ASSERT_EQ(draw.surface.notices.size(), 1u);
    EXPECT_EQ(draw.surface.notices[0].text, draw_texts::allDrawn());
}

// Voids can leave fewer candidates than open places: the Start announces what
// the Stop will draw and rolls only the candidates; with nobody left the Start
// says so, names the level and records nothing.
TEST(DrawCommand, VoidsThatLeaveTooFewCandidatesAreToldNotRolled)
{
    DrawHarness draw;
    draw.settings.countTexts = {"", "", "", "", "", "10"};
    draw.options.batchSizes[5] = 10;
    std::vector<QByteArray> people;
    for (int i = 0; i < 12; ++i)
        people.push_back("P" + QByteArray::number(i));
    draw.setParticipants(people);
    RoundState round(QStringLiteral("rafflixhistory.txt"));
    round.load();
    round.programStarted(draw.fakes.clock.time);
    auto click = [&] {
        DrawContext context = draw.context();
        context.round = &round;
        runStartStop(context);
    };
    draw.setPickSeconds(1000000000);
    click();
    click();
    ASSERT_EQ(splitIntoLines(draw.resultsFile()).size(), 10u);
    for (size_t entry = 0; entry < 3; ++entry)
        round_files::voidEntry(round, entry, draw.fakes.clock.time);

    click(); // 12 people, 7 kept winners, 3 voided: 2 may win
    EXPECT_EQ(draw.status.batch, 2);
    EXPECT_EQ(draw.participants.count(), 2);
    click();
    EXPECT_EQ(splitIntoLines(draw.resultsFile()).size(), 9u);

    const QByteArray before = draw.resultsFile();
    click();
    ASSERT_EQ(draw.surface.notices.size(), 1u);
    EXPECT_EQ(draw.surface.notices[0].text, draw_texts::noCandidates(PrizeLevel::Fifth, 1));
    EXPECT_TRUE(draw.surface.notices[0].text.contains(QStringLiteral("五等奖")));
    EXPECT_FALSE(draw.surface.running());
    EXPECT_EQ(draw.resultsFile(), before);
}

} // namespace
