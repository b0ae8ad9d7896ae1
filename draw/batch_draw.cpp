#include "draw/batch_draw.h"

#include "base/app_error.h"
#include "base/working_files.h"
#include "draw/batch_pick.h"
#include "draw/draw_clock.h"
#include "draw/draw_options.h"
#include "draw/draw_status.h"
#include "draw/draw_surface.h"
#include "draw/round_state.h"
#include "draw/rules_at_stop.h"
#include "draw/screen_texts.h"
#include "draw/stop_record.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "storage/draw_history.h"
#include "storage/results_format.h"
#include "storage/rules_history.h"
#include "storage/text_line_list.h"

namespace {

// The history lines of a batch in one append, so they are all there or none.
void recordHistory(const std::vector<QDateTime>& times, const std::vector<QByteArray>& lines,
                   const RulesAtStop* rules)
{
    QByteArray joined;
    if (rules && rules->any() && !times.empty())
        joined += rules_history::inForceLine(times.front(), rules->levelName(), rules->fullText()) +
                  "\r\n";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += "\r\n";
        joined += draw_history::winnerLine(times[i], lines[i]);
    }
    draw_history::appendLine(QLatin1String(draw_history::kFileName), joined);
}

// The record steps once for all lines: the scratch list takes the file, then
// the lines, and is saved back whole.
void recordResults(TextLineList& scratch, const std::vector<QByteArray>& lines)
{
    const QString path = QLatin1String(working_files::kResults);
    scratch.clear();
    scratch.load(path);
    for (const QByteArray& line : lines)
        scratch.add(line);
    scratch.save(path);
}

} // namespace

QByteArray drawnPrizeName(const StopPlan& plan)
{
    return plan.extraPrize.isEmpty() ? levelName(plan.level) : plan.extraPrize;
}

std::optional<StopPlan> planStop(const LevelTally& tally, qint64 placesLeftInDraw,
                                 qint64 candidates, const DrawOptions* options,
                                 const ExtraPrizeTally* extras)
{
    if (options && extras && extras->openPlaces(options->chosenExtraPrize) > 0) {
        StopPlan plan;
        plan.extraPrize = options->chosenExtraPrize;
        plan.extraPrizeText =
            extras->prizes[static_cast<size_t>(extra_prizes::find(extras->prizes, plan.extraPrize))]
                .prize;
        plan.openPlaces = extras->openPlaces(plan.extraPrize);
        plan.winners = extraWinnersThisStop(*extras, plan.extraPrize, candidates);
        return plan;
    }
    const std::optional<PrizeLevel> level =
        levelForNextStop(tally, options ? options->chosenLevel : std::nullopt);
    if (!level)
        return std::nullopt;
    StopPlan plan;
    plan.level = *level;
    plan.openPlaces = tally.openPlaces(*level);
    const int requested =
        options ? options->batchSizes[static_cast<size_t>(levelIndex(*level))] : 1;
    plan.winners = winnersThisStop(tally, *level, requested, placesLeftInDraw, candidates);
    return plan;
}

std::optional<StopPlan> planFromFiles(const DrawSettings& settings, qint64 candidates,
                                      const DrawOptions& options)
{
    const FilesTally files = tallyFromFiles(settings);
    return planStop(files.levels, files.placesLeftInDraw, candidates, &options, &files.extras);
}

void drawBatch(DrawContext& context, const StopPlan& plan, RecordedBefore before, qint64 total,
               const RulesAtStop* rules, const StopInputs* inputs)
{
    std::vector<QDateTime> pickTimes;
    std::vector<PickStep> steps;
    const auto clock = [&pickTimes] {
        pickTimes.push_back(services().clock->now());
        return toDateTimeValue(pickTimes.back());
    };
    const std::vector<int> positions =
        rules ? rules->pick(context.participants, plan.winners, clock, &steps)
              : pickBatch(context.participants.count(), plan.winners, clock, &steps);

    std::vector<QByteArray> winners;
    std::vector<QByteArray> lines;
    std::vector<QDateTime> times;
    for (int position : positions) {
        context.currentWinner = context.participants.get(position);
        winners.push_back(context.currentWinner);
        lines.push_back(
            plan.extraPrize.isEmpty()
                ? results_format::resultsLine(plan.level, context.currentWinner)
                : results_format::extraPrizeLine(plan.extraPrize, context.currentWinner));
        times.push_back(services().clock->now());
    }

    // The history first: a kill between the two writes then leaves the
    // winners in the history, never only in the results file that the next
    // start empties.
    recordHistory(times, lines, rules);
    if (inputs)
        stop_record::write(*inputs, plan, pickTimes, steps, lines);
    if (context.round)
        for (size_t i = 0; i < lines.size(); ++i)
            context.round->winnerRecorded(times[i], lines[i]);
    try {
        recordResults(context.levelPrefixes, lines);
    } catch (const AppError&) {
        // Never announced, so not winners: a later continue or take-back
        // must not bring them back.
        if (context.round)
            context.round->winnersWithdrawn(services().clock->now(), lines);
        throw;
    }

    DrawSurface& surface = context.surface;
    qint64 recorded = before.lines;
    qint64 beyond = before.beyond;
    qint64 extraDrawn = before.extraDrawn;
    for (size_t i = 0; i < winners.size(); ++i) {
        if (!plan.extraPrize.isEmpty()) {
            ++extraDrawn; // never past its places: the plan keeps to them
        } else {
            ++recorded;
            // A level drawn again past its count (a hand-edited results file)
            // fills no place.
            if (static_cast<qint64>(i) >= plan.openPlaces)
                ++beyond;
        }
        surface.setProgressText(screen_texts::withExtraPrizes(
            screen_texts::progressText(recorded, total, beyond), extraDrawn, before.extraPlaces));
        surface.setProgressPosition(screen_texts::progressBarPosition(recorded, total, beyond));
        // The time the history holds, so a round read back from it shows
        // the times it showed.
        surface.appendResultLine(screen_texts::resultsListLine(lines[i], times[i]));
    }

    if (context.status) {
        DrawStatus& status = *context.status;
        status.phase =
            recorded - beyond >= total ? DrawStatus::Phase::Complete : DrawStatus::Phase::Drawn;
        status.level = plan.level;
        status.extraPrize = plan.extraPrize;
        status.extraPrizeText = plan.extraPrizeText;
        status.batch = static_cast<int>(winners.size());
        status.placesLeft =
            std::max<qint64>(0, plan.openPlaces - static_cast<qint64>(winners.size()));
        status.winners = std::move(winners);
    }
}

void noteRolling(DrawContext& context, const std::optional<StopPlan>& plan)
{
    if (context.status)
        noteRolling(*context.status, plan);
}

void noteRolling(DrawStatus& status, const std::optional<StopPlan>& plan)
{
    status.winners.clear();
    if (!plan) {
        status.phase = DrawStatus::Phase::Idle;
        return;
    }
    status.phase = DrawStatus::Phase::Rolling;
    status.rules = RulesAtStop::ofWorkingFolder(drawnPrizeName(*plan)).text();
    status.level = plan->level;
    status.extraPrize = plan->extraPrize;
    status.extraPrizeText = plan->extraPrizeText;
    status.batch = plan->winners;
    status.placesLeft = plan->openPlaces;
}
