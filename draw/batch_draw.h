#pragma once

#include "draw/draw_context.h"
#include "draw/level_choice.h"

#include <optional>

struct DrawOptions;
struct DrawSettings;
struct DrawStatus;
class RulesAtStop;

// The level one Stop draws and how many winners it takes.
struct StopPlan
{
    PrizeLevel level = PrizeLevel::Fifth;
    int winners = 1;
    qint64 openPlaces = 0; // of the level, before this Stop
};

std::optional<StopPlan> planStop(const LevelTally& tally, qint64 placesLeftInDraw,
                                 qint64 candidates, const DrawOptions* options);

// The plan of the coming Stop as the files hold it now (tallyFromFiles), over
// the candidates and with the options: what the screen shows when the
// operator chooses a level while the names roll.
std::optional<StopPlan> planFromFiles(const DrawSettings& settings, qint64 candidates,
                                      const DrawOptions& options);

// Picks, records and reports the plan's winners: every winner its own results
// line, history line, progress step and results-field line, in drawing order,
// as if drawn one by one; the files are written once for the whole batch, the
// history first. Rules in force pick the winners and go into the history
// before them.
struct RecordedBefore
{
    qint64 lines = 0;  // results lines before this Stop
    qint64 beyond = 0; // of them, past their level's count
};
void drawBatch(DrawContext& context, const StopPlan& plan, RecordedBefore before, qint64 total,
               const RulesAtStop* rules = nullptr);

// The screen's note of a Start: what the coming Stop will draw (nothing:
// the status goes back to idle). A context without a status notes nothing.
void noteRolling(DrawStatus& status, const std::optional<StopPlan>& plan);
void noteRolling(DrawContext& context, const std::optional<StopPlan>& plan);
