#include "base/line_splitting.h"
#include "draw/level_choice.h"
#include "draw/level_counts.h"
#include "draw/round_files.h"
#include "draw/round_recovery.h"
#include "draw/round_state.h"
#include "draw/screen_texts.h"
#include "draw_harness.h"
#include "storage/extra_prizes.h"
#include "storage/history_rounds.h"
#include "storage/results_format.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using extra_prizes::ExtraPrize;

// A night of four level places (五等奖 2, 一等奖 1, 特等奖 1) with two extra
// prizes drawn between them, a kill in the middle of one, voids inside one,
// checked against a count of what each prize should hold after every step.
TEST(ExtraPrizeNight, ExtraPrizesBetweenTheLevelsNeverTouchTheLevelsCounting)
{
    DrawHarness draw;
    draw.settings.countTexts = {"1", "1", "0", "0", "0", "2"};
    std::vector<QByteArray> people;
    for (int i = 0; i < 20; ++i)
        people.push_back(G("人") + QByteArray::number(i));
    draw.setParticipants(people);
    const QByteArray boss = G("老板加奖");
    const QByteArray lucky = G("幸运奖");
    const extra_prizes::ExtraPrizeList extras = {{boss, G("红包"), 3, 2}, {lucky, G("手机"), 1, 1}};
    extra_prizes::write(extras);
    draw.setPickSeconds(1'000'000'000);

    auto state = std::make_unique<RoundState>(QLatin1String(draw_history::kFileName));
    state->programStarted(draw.fakes.clock.time);

    enum class Act { Stop, Void, KillAndContinue, StartAtTheEnd };
    struct Step
    {
        Act act;
        QByteArray choose; // an extra prize's name for the Stop; empty: the order
        QByteArray prize;  // the label the Stop records, or the prize the void hits
        int winners;       // the Stop's lines
    };
    const QByteArray fifth = levelName(PrizeLevel::Fifth);
    const QByteArray first = levelName(PrizeLevel::First);
    const QByteArray grand = levelName(PrizeLevel::Grand);
    const std::vector<Step> night = {
        {Act::Stop, {}, fifth, 1},
        {Act::Stop, boss, boss, 2}, // its batch of two
        {Act::Stop, {}, fifth, 1},  // the order resumes where it was
        {Act::Stop, lucky, lucky, 1},
        {Act::KillAndContinue, {}, {}, 0}, // 老板加奖 at 2 of 3
        {Act::Stop, boss, boss, 1},        // only its last place
        {Act::Void, {}, boss, 0},
        {Act::Stop, {}, first, 1}, // a void never redraws an extra prize by itself
        {Act::Stop, boss, boss, 1},
        {Act::Stop, {}, grand, 1}, // the levels are done
        {Act::Void, {}, lucky, 0},
        {Act::Stop, lucky, lucky, 1}, // chosen, it is drawn after the levels
        {Act::StartAtTheEnd, {}, {}, 0},
    };

    std::map<QByteArray, int> expected; // kept winners per label
    for (size_t s = 0; s < night.size(); ++s) {
        const Step& step = night[s];
        SCOPED_TRACE(testing::Message() << "step " << s);
        DrawContext context = draw.context();
        context.round = state.get();
        switch (step.act) {
        case Act::Stop:
            draw.options.chosenExtraPrize = step.choose;
            runStartStop(context);
            ASSERT_TRUE(draw.surface.running());
            runStartStop(context);
            expected[step.prize] += step.winners;
            ASSERT_EQ(draw.status.batch, step.winners);
            EXPECT_EQ(draw.status.extraPrize, step.choose);
            break;
        case Act::Void: {
            const auto& entries = state->currentRound().entries;
            size_t last = entries.size();
            while (last-- > 0)
                if (!entries[last].voided &&
                    results_format::extraPrizeName(entries[last].resultsLine) == step.prize)
                    break;
            const std::vector<QByteArray> left =
                round_files::voidEntry(*state, last, draw.fakes.clock.time);
            draw.surface.progressText =
                screen_texts::progressOf(left, levelCounts(draw.settings), extras).text;
            --expected[step.prize];
            break;
        }
        case Act::KillAndContinue: {
            // What the next start does: a new round state from the history,
            // the results file emptied, the round offered and taken.
            state = std::make_unique<RoundState>(QLatin1String(draw_history::kFileName));
            state->load();
            state->programStarted(draw.fakes.clock.time);
            draw.dir.writeFile("retotal.txt", "");
            const history_rounds::Round* left = roundLeftByRestart(state->rounds());
            ASSERT_NE(left, nullptr);
            ASSERT_TRUE(round_recovery::isUnfinished(*left, 4, extras));
            const round_recovery::Plan plan =
                round_recovery::plan(*left, levelCounts(draw.settings), extras);
            round_files::restore(*state, plan.resultsLines, draw_history::Resume::AfterRestart,
                                 draw.fakes.clock.time);
            draw.surface.progressText = plan.progressText;
            break;
        }
        case Act::StartAtTheEnd:
            runStartStop(context);
            ASSERT_EQ(draw.surface.notices.size(), 1u);
            EXPECT_EQ(draw.surface.notices[0].text, draw_texts::allDrawn());
            EXPECT_FALSE(draw.surface.running());
            break;
        }

        const std::vector<QByteArray> lines = splitIntoLines(draw.resultsFile());
        std::map<QByteArray, int> held;
        for (const QByteArray& line : lines) {
            const QByteArray name = results_format::extraPrizeName(line);
            ++held[name.isEmpty() ? results_format::levelPrefix(line) : name];
            EXPECT_EQ(results_format::recordedWinner(line).left(G("人").size()), G("人"));
        }
        for (const auto& [label, count] : expected)
            EXPECT_EQ(held[label], count) << label.toStdString();

        const int levelsDrawn = expected[fifth] + expected[first] + expected[grand];
        const int extrasDrawn = expected[boss] + expected[lucky];
        EXPECT_EQ(draw.surface.progressText,
                  screen_texts::withExtraPrizes(screen_texts::progressText(levelsDrawn, 4),
                                                extrasDrawn, 4));
        EXPECT_EQ(screen_texts::progressOf(lines, levelCounts(draw.settings), extras).position,
                  levelsDrawn * 25);
        const FilesTally files = tallyFromFiles(draw.settings);
        EXPECT_EQ(files.placesLeftInDraw, 4 - levelsDrawn);
        EXPECT_EQ(files.extras.openPlaces(boss), 3 - expected[boss]);
    }
    EXPECT_EQ(draw.surface.progressText, G("进度：4/4　加奖 4/4"));
}

// With no extra prize listed nothing about the levels' texts changes, and a
// removed prize's winners still fill no level place.
TEST(ExtraPrizeNight, ARemovedPrizesWinnersStayApartFromTheLevels)
{
    const LevelCounts counts{{0, 0, 0, 0, 0, 2}, 2};
    const std::vector<QByteArray> lines = {G("五等奖：甲"), G("【老板加奖】乙")};
    EXPECT_EQ(screen_texts::progressOf(lines, counts).text, G("进度：1/2"));
    EXPECT_EQ(screen_texts::withExtraPrizes(G("进度：1/2"), 0, 0), G("进度：1/2"));
    const LevelTally tally = tallyResultsLines(counts.perLevel, lines);
    EXPECT_EQ(tally.placesLeftInDraw(counts.total, 2), 1);
    EXPECT_EQ(tally.beyondCounts(), 0);
}

} // namespace
