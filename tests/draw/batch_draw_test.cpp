#include "draw/batch_draw.h"
#include "draw/batch_pick.h"
#include "draw/draw_clock.h"
#include "draw/level_choice.h"
#include "draw_harness.h"
#include "storage/draw_history.h"

#include <gtest/gtest.h>

namespace {

std::vector<QByteArray> staff(int count)
{
    std::vector<QByteArray> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(G("员工") + QByteArray::number(i));
    return lines;
}

// A draw over 30 participants whose only level is the fifth, with `places`.
void setUpFifthOnly(DrawHarness& draw, const char* places, const char* repeat = "否")
{
    draw.setParticipants(staff(30));
    draw.settings.countTexts = {"", "", "", "", "", places};
    draw.settings.repeatText = G(repeat);
    draw.setPickSeconds(1000000007);
}

TEST(BatchPick, EachFurtherWinnerIsTheSingleRuleOverTheLinesNotYetTaken)
{
    // The reference: the single pick, then the winner taken out of a real list.
    const double clock = toDateTimeValue(QDateTime(QDate(2026, 2, 1), QTime(20, 0, 7, 500)));
    std::vector<int> remaining(23);
    for (int i = 0; i < 23; ++i)
        remaining[static_cast<size_t>(i)] = i;
    std::vector<int> expected;
    for (int draw = 0; draw < 23; ++draw) {
        const auto index = static_cast<size_t>(winnerIndex(clock, qint64(remaining.size())));
        expected.push_back(remaining[index]);
        remaining.erase(remaining.begin() + static_cast<long>(index));
    }
    EXPECT_EQ(pickBatch(23, 23, [clock] { return clock; }), expected);
    EXPECT_EQ(pickBatch(23, 1, [clock] { return clock; }),
              std::vector<int>{static_cast<int>(winnerIndex(clock, 23))});
    EXPECT_EQ(pickBatch(3, 10, [clock] { return clock; }).size(), 3u) << "never more than lines";

    EXPECT_EQ(positionAmongUntaken(0, {0, 1, 2}), 3);
    EXPECT_EQ(positionAmongUntaken(2, {1, 5}), 3);
    EXPECT_EQ(positionAmongUntaken(4, {1, 5}), 6);
    EXPECT_EQ(positionAmongUntaken(-1, {0}), -1) << "a clock before 1970 fails as a single draw";
}

TEST(BatchDraw, RecordingRewritesTheResultsFileWithTheNewLinesLast)
{
    DrawHarness draw;
    draw.dir.writeFile("retotal.txt", "first\nsecond");
    draw.participants.add(G("王五"));
    DrawContext context = draw.context();
    drawBatch(context, StopPlan{PrizeLevel::Fifth, 1, 1, {}, {}}, {0, 0, 0, 0}, 1);
    EXPECT_EQ(draw.resultsFile(), "first\r\nsecond\r\n" + G("五等奖：王五") + "\r\n");
    EXPECT_EQ(draw.levelPrefixes.count(), 3) << "the scratch list holds the file it saved";
}

TEST(BatchDraw, ABatchLeavesTheFilesAndTheScreenAsOneByOneDrawing)
{
    DrawHarness batch;
    setUpFifthOnly(batch, "8");
    batch.options.batchSizes[5] = 5;
    batch.startAndStop();

    DrawHarness single;
    setUpFifthOnly(single, "8");
    for (int i = 0; i < 5; ++i)
        single.startAndStop();

    EXPECT_EQ(batch.resultsFile(), single.resultsFile());
    EXPECT_EQ(batch.resultsFile().count("\r\n"), 5);
    EXPECT_EQ(batch.dir.readFile(draw_history::kFileName),
              single.dir.readFile(draw_history::kFileName));
    EXPECT_EQ(batch.surface.resultLines, single.surface.resultLines);
    EXPECT_EQ(batch.surface.progressText, G("进度：5/8"));
    EXPECT_EQ(batch.surface.progressPosition, single.surface.progressPosition);
    EXPECT_EQ(batch.currentWinner, single.currentWinner) << "the display ends on the last one";

    const DrawStatus& status = batch.status;
    EXPECT_EQ(status.phase, DrawStatus::Phase::Drawn);
    EXPECT_EQ(status.level, PrizeLevel::Fifth);
    EXPECT_EQ(status.batch, 5);
    EXPECT_EQ(status.placesLeft, 3);
    ASSERT_EQ(status.winners.size(), 5u);
    EXPECT_EQ(status.winners.back(), batch.currentWinner);
}

TEST(BatchDraw, WithRepeatsAllowedOneStopStillNeverDrawsALineTwice)
{
    DrawHarness draw;
    setUpFifthOnly(draw, "20", "是");
    draw.options.batchSizes[5] = 20;
    draw.startAndStop();
    const std::vector<QByteArray>& winners = draw.status.winners;
    ASSERT_EQ(winners.size(), 20u);
    const std::set<QByteArray> distinct(winners.begin(), winners.end());
    EXPECT_EQ(distinct.size(), 20u);
}

TEST(BatchDraw, ABatchMeetsTheLevelsLastPlacesThenTheNextLevelFollows)
{
    DrawHarness draw;
    draw.setParticipants(staff(30));
    draw.settings.countTexts = {"1", "", "", "", "2", "3"};
    draw.options.batchSizes = {1, 1, 1, 1, 10, 10};
    draw.setPickSeconds(1000000011);

    draw.click();
    EXPECT_EQ(draw.status.phase, DrawStatus::Phase::Rolling);
    EXPECT_EQ(draw.status.batch, 3) << "the screen says how many this Stop draws";
    EXPECT_EQ(draw.status.placesLeft, 3);
    draw.click();
    EXPECT_EQ(draw.resultsFile().count(G("五等奖：")), 3);
    EXPECT_EQ(draw.status.placesLeft, 0);

    draw.startAndStop();
    EXPECT_EQ(draw.resultsFile().count(G("四等奖：")), 2);
    EXPECT_EQ(draw.surface.progressText, G("进度：5/6"));

    draw.startAndStop();
    EXPECT_EQ(draw.resultsFile().count("\r\n"), 6);
    EXPECT_EQ(draw.status.phase, DrawStatus::Phase::Complete)
        << "the last winner says the draw is complete at once";
    EXPECT_TRUE(draw.surface.notices.empty());

    draw.click();
    ASSERT_EQ(draw.surface.notices.size(), 1u) << "the next click still shows the box";
    EXPECT_EQ(draw.surface.notices[0].text, draw_texts::allDrawn());
}

TEST(LevelChoice, TheChosenLevelIsDrawnByTheNextStopOnlyThenTheOrderResumes)
{
    DrawHarness draw;
    draw.setParticipants(staff(30));
    draw.settings.countTexts = {"1", "2", "", "", "", "3"};
    draw.setPickSeconds(1000000013);

    draw.options.chosenLevel = PrizeLevel::First;
    draw.click();
    EXPECT_EQ(draw.status.level, PrizeLevel::First);
    draw.click();
    EXPECT_TRUE(draw.resultsFile().startsWith(G("一等奖：")));
    EXPECT_FALSE(draw.options.chosenLevel.has_value());

    draw.startAndStop();
    EXPECT_EQ(draw.resultsFile().count(G("五等奖：")), 1) << "the automatic order again";

    // A level with no open places left is no choice: the order applies.
    draw.options.chosenLevel = PrizeLevel::Second;
    draw.startAndStop();
    EXPECT_EQ(draw.resultsFile().count(G("五等奖：")), 2);
}

TEST(LevelChoice, ThePlanFromTheFilesIsThePlanTheStopDraws)
{
    DrawHarness draw;
    draw.setParticipants(staff(30));
    draw.settings.countTexts = {"", "", "", "", "", "5"};
    // Lines of no level count toward the total: two places are left in the
    // draw while the fifth prize has four open.
    draw.dir.writeFile("retotal.txt", G("手工备注\r\n手工备注\r\n五等奖：员工29\r\n"));
    draw.options.batchSizes[5] = 10;
    const std::optional<StopPlan> plan = planFromFiles(draw.settings, 30, draw.options);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->level, PrizeLevel::Fifth);
    EXPECT_EQ(plan->openPlaces, 4);
    EXPECT_EQ(plan->winners, 2);

    draw.startAndStop();
    EXPECT_EQ(draw.status.batch, plan->winners);
    EXPECT_EQ(draw.resultsFile().count(G("五等奖：")), 3);
}

TEST(LevelChoice, ChoosableLevelsAreThoseWithOpenPlacesFifthFirst)
{
    TextLineList prefixes;
    prefixes.add(G("五等奖"));
    prefixes.add(G("五等奖"));
    prefixes.add(G("一等奖"));
    prefixes.add(G("一等奖")); // one more than its count: not choosable
    const LevelTally tally = tallyLevels({1, 1, 0, 0, 0, 2}, prefixes);
    EXPECT_EQ(choosableLevels(tally), std::vector<PrizeLevel>{PrizeLevel::Grand});
    // A level over its count never takes a place another level still has
    // open; only when none is open is it drawn again, as before.
    EXPECT_EQ(levelForNextStop(tally, std::nullopt), PrizeLevel::Grand);
    EXPECT_EQ(levelForNextStop(tallyLevels({0, 1, 0, 0, 0, 2}, prefixes), std::nullopt),
              PrizeLevel::First);
    EXPECT_EQ(levelForNextStop(tally, PrizeLevel::Grand), PrizeLevel::Grand);
    EXPECT_EQ(winnersThisStop(tally, PrizeLevel::First, 10, 5, 100), 1);
    EXPECT_EQ(winnersThisStop(tally, PrizeLevel::Grand, 10, 5, 100), 1);
    EXPECT_EQ(winnersThisStop(tallyLevels({0, 0, 0, 0, 0, 50}, {}), PrizeLevel::Fifth, 80, 50, 7),
              7);
}

} // namespace
