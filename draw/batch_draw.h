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
    QByteArray extraPrize; // an extra prize's name instead of the level; empty: the level
    QByteArray extraPrizeText;
};

// An extra prize is drawn only when the operator chose it and it has open
// places; else the level as levelForNextStop says.
// The name a Stop draws under: the extra prize's, else the level's; the
// rules of who may win are kept under it.
QByteArray drawnPrizeName(const StopPlan& plan);

std::optional<StopPlan> planStop(const LevelTally& tally, qint64 placesLeftInDraw,
                                 qint64 candidates, const DrawOptions* options,
                                 const ExtraPrizeTally* extras = nullptr);

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
    qint64 lines = 0;       // results lines before this Stop
    qint64 beyond = 0;      // of them, past their level's count
    qint64 extraDrawn = 0;  // extra prizes' winners before this Stop (the lines above exclude them)
    qint64 extraPlaces = 0; // the extra prizes' counts together
};
// With inputs, the Stop goes into the draw record too.
struct StopInputs;
void drawBatch(DrawContext& context, const StopPlan& plan, RecordedBefore before, qint64 total,
               const RulesAtStop* rules = nullptr, const StopInputs* inputs = nullptr);

// The screen's note of a Start: what the coming Stop will draw (nothing:
// the status goes back to idle). A context without a status notes nothing.
void noteRolling(DrawStatus& status, const std::optional<StopPlan>& plan);
void noteRolling(DrawContext& context, const std::optional<StopPlan>& plan);
