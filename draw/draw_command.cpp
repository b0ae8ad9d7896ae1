#include "draw/draw_command.h"

#include "base/app_error.h"
#include "base/file_paths.h"
#include "base/gbk.h"
#include "base/working_files.h"
#include "draw/batch_draw.h"
#include "draw/draw_clock.h"
#include "draw/draw_options.h"
#include "draw/draw_surface.h"
#include "draw/earlier_winners.h"
#include "draw/level_counts.h"
#include "draw/round_state.h"
#include "draw/rules_at_stop.h"
#include "draw/stop_record.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "platform/sound_player.h"
#include "storage/extra_prizes.h"
#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"

namespace draw_texts {
QByteArray startCaption()
{
    return gbk::text("开始抽奖");
}
QByteArray stopCaption()
{
    return gbk::text("停止抽奖");
}
QString participantFileMissing()
{
    return QStringLiteral(
        "【抽奖数据文件不存在！】\r\n请先从【系统设置=>导入/导出】添加抽奖数据！");
}
QString participantListEmpty()
{
    return QStringLiteral("【抽奖数据文件为空！】\r\n请先从【系统设置=>导入/导出】添加抽奖数据！");
}
QString totalIsZero()
{
    return QStringLiteral("【抽奖人数为零！】\r\n请从【系统设置=>抽奖参数】填写正确的抽奖数据！");
}
QString tooFewParticipants()
{
    return QStringLiteral("【抽奖参与人数少于所设置奖项总和！】\r\n"
                          "请从【系统设置=>导入/导出】添加正确的抽奖数据！");
}
QString allDrawn()
{
    return QStringLiteral("【抽奖数据已全部产生，如需要再抽请初始化程序！】\r\n"
                          "数据需要保存请点击右下角：保存抽奖数据！");
}
QByteArray allDrawnDisplay()
{
    return gbk::text("抽奖完毕！");
}
QString noCandidates(PrizeLevel level, qint64 openPlaces)
{
    return noCandidates(levelName(level), openPlaces);
}
QString noCandidates(const QByteArray& prizeName, qint64 openPlaces)
{
    return QStringLiteral("【%1还有 %2 个名额，但已没有可以中奖的人！】\r\n"
                          "已中奖或已作废的人本轮不再参加抽奖；"
                          "请从【系统设置=>导入/导出】添加参与者，或初始化后重新抽奖。")
        .arg(gbk::decode(prizeName))
        .arg(openPlaces);
}
} // namespace draw_texts

namespace {

// Ends a run at one of the check boxes: the caption goes back to Start, the
// timer and the music stay as they are.
void endAtCheck(DrawContext& context, const QString& text)
{
    context.surface.tell({DrawNotice::Kind::Warning, text});
    context.surface.setStartStopCaption(draw_texts::startCaption());
}

void startBranch(DrawContext& context)
{
    context.surface.setStartStopCaption(draw_texts::stopCaption());
    context.surface.setDrawTimerEnabled(true);
    services().sound->play(context.settings.startMusicPath,
                           SoundPlayer::kAsync | SoundPlayer::kLoop);
}

// The results file into the context's lists, and the levels and extra
// prizes counted over it.
std::pair<LevelTally, ExtraPrizeTally> loadResults(DrawContext& context, const LevelCounts& counts)
{
    context.results.clear();
    context.results.load(QLatin1String(working_files::kResults));
    context.levelPrefixes.clear();
    for (int i = 0; i < context.results.count(); ++i)
        context.levelPrefixes.add(results_format::levelPrefix(context.results.get(i)));

    LevelTally tally = tallyLevels(counts.perLevel, context.levelPrefixes);
    ExtraPrizeTally extras = tallyExtraPrizes(extra_prizes::read(), context.results);
    tally.extraLines = extras.lines;
    return {tally, std::move(extras)};
}

// Leaves in the participant list only who may still win this round's next
// Stop: earlier winners go unless repeats are allowed, voided winners always.
// Start and Stop both do it, so the roll shows nobody the Stop cannot draw.
void keepOnlyCandidates(DrawContext& context)
{
    keepOnlyRoundCandidates(
        context.participants, context.results,
        context.round ? context.round->voidedWinners() : std::vector<QByteArray>(),
        context.settings.repeatText != setting_names::no());
}

// The plan of the next Stop over the lists as this click loaded them.
std::optional<StopPlan> planFromLists(const DrawContext& context, const LevelTally& tally,
                                      const LevelCounts& counts, const ExtraPrizeTally& extras)
{
    return planStop(tally, tally.placesLeftInDraw(counts.total, context.results.count()),
                    context.participants.count(), context.options, &extras);
}

// The roll shows only who the level's rules let win, and the plan over them
// announces what the Stop will draw: a group cap can leave fewer winners
// than the batch. False, with the notice, when the rules let nobody.
bool keepOnlyRuleCandidates(DrawContext& context, std::optional<StopPlan>& plan,
                            const LevelTally& tally, const LevelCounts& counts,
                            const ExtraPrizeTally& extras)
{
    RulesAtStop rules = RulesAtStop::ofWorkingFolder(drawnPrizeName(*plan));
    rules.keepOnlyCandidates(context.participants, context.results);
    if (context.participants.isEmpty()) {
        context.surface.tell({DrawNotice::Kind::Warning, rules.nobodyLeftNotice()});
        return false;
    }
    plan = planFromLists(context, tally, counts, extras);
    // How many the capped pick gives does not depend on who it picks.
    if (plan && rules.any() && plan->winners > 1) {
        const double now = toDateTimeValue(services().clock->now());
        plan->winners = static_cast<int>(
            rules.pick(context.participants, plan->winners, [now] { return now; }).size());
    }
    return true;
}

void tellNoCandidates(DrawContext& context, const StopPlan& plan)
{
    context.surface.tell({DrawNotice::Kind::Warning,
                          plan.extraPrize.isEmpty()
                              ? draw_texts::noCandidates(plan.level, plan.openPlaces)
                              : draw_texts::noCandidates(plan.extraPrize, plan.openPlaces)});
}

void stopBranch(DrawContext& context, const LevelTally& tally, const LevelCounts& counts,
                const ExtraPrizeTally& extras, const StopInputs& inputs)
{
    DrawSurface& surface = context.surface;
    surface.setStartStopCaption(draw_texts::startCaption());
    services().sound->play(context.settings.stopMusicPath, SoundPlayer::kAsync);
    surface.setDrawTimerEnabled(false);
    surface.setDrawTimerInterval(100);

    const qint64 recordedBefore = context.results.count();
    const std::optional<StopPlan> plan = planFromLists(context, tally, counts, extras);
    // An operator's choice of level holds for this one Stop.
    if (context.options) {
        context.options->chosenLevel.reset();
        context.options->chosenExtraPrize.clear();
    }
    if (!plan) {
        noteRolling(context, std::nullopt); // nothing drawn: nothing to show
        return;
    }
    if (context.participants.isEmpty()) {
        // Voids or earlier winners took the last candidates since the Start.
        tellNoCandidates(context, *plan);
        noteRolling(context, std::nullopt);
        return;
    }
    // The rules as saved now hold from this Stop on.
    RulesAtStop rules = RulesAtStop::ofWorkingFolder(drawnPrizeName(*plan));
    rules.keepOnlyCandidates(context.participants, context.results);
    if (context.participants.isEmpty()) {
        context.surface.tell({DrawNotice::Kind::Warning, rules.nobodyLeftNotice()});
        noteRolling(context, std::nullopt);
        return;
    }
    drawBatch(
        context, *plan,
        {recordedBefore - tally.extraLines, tally.beyondCounts(), extras.drawn(), extras.places()},
        counts.total, &rules, &inputs);
}

} // namespace

void runStartStop(DrawContext& context)
{
    const LevelCounts counts = levelCounts(context.settings);
    const QString participantFile = QLatin1String(working_files::kParticipants);

    if (!file_paths::isExistingFile(participantFile)) {
        endAtCheck(context, draw_texts::participantFileMissing());
        return;
    }
    const std::optional<ListIdentity> listIdentity =
        stop_record::loadList(context.participants, participantFile);
    if (context.participants.isEmpty()) {
        endAtCheck(context, draw_texts::participantListEmpty());
        return;
    }
    if (counts.total == 0) {
        endAtCheck(context, draw_texts::totalIsZero());
        return;
    }
    if (context.participants.count() <= counts.total) {
        endAtCheck(context, draw_texts::tooFewParticipants());
        return;
    }

    const auto [tally, extras] = loadResults(context, counts);
    // Winners past their level's count (a round taken back under lower
    // counts) fill no place: the draw goes on while a level has open places,
    // unless the lines that do fill places (lines of no level among them)
    // reach the total. Extra prizes' lines fill none; a chosen extra prize
    // with places left is drawn even when the levels are done.
    const qint64 filling = context.results.count() - tally.extraLines - tally.beyondCounts();
    const bool extraChosen =
        context.options && extras.openPlaces(context.options->chosenExtraPrize) > 0;
    if ((!tally.hasOpenPlaces() || filling >= counts.total) && !extraChosen) {
        context.surface.tell({DrawNotice::Kind::Notice, draw_texts::allDrawn()});
        context.surface.setDisplayText(draw_texts::allDrawnDisplay());
        context.surface.setStartStopCaption(draw_texts::startCaption());
        return;
    }

    const bool stopping = context.surface.startStopCaption() == draw_texts::stopCaption();
    // The record's inputs are the list as loaded, before anyone is removed.
    const StopInputs inputs =
        stopping ? stop_record::capture(context.participants, listIdentity, context.results,
                                        context.settings.repeatText)
                 : StopInputs();
    keepOnlyCandidates(context);
    if (!stopping) {
        std::optional<StopPlan> plan = planFromLists(context, tally, counts, extras);
        if (plan && context.participants.isEmpty()) {
            // Nobody to roll: say so instead of rolling names that cannot win.
            tellNoCandidates(context, *plan);
            context.surface.setStartStopCaption(draw_texts::startCaption());
            return;
        }
        if (plan && !keepOnlyRuleCandidates(context, plan, tally, counts, extras)) {
            context.surface.setStartStopCaption(draw_texts::startCaption());
            return;
        }
        startBranch(context);
        noteRolling(context, plan);
    } else {
        stopBranch(context, tally, counts, extras, inputs);
    }
}

bool turnRollToChoice(DrawContext& context)
{
    const QString participantFile = QLatin1String(working_files::kParticipants);
    if (!file_paths::isExistingFile(participantFile))
        return true; // the Stop says so
    const LevelCounts counts = levelCounts(context.settings);
    // A list of its own: the roll goes on from the old one when nobody may
    // win the choice.
    TextLineList candidates;
    candidates.load(participantFile);
    DrawContext choice{context.surface, context.settings,      candidates,
                       context.results, context.levelPrefixes, context.currentWinner,
                       context.options, context.status,        context.round};
    const auto [tally, extras] = loadResults(choice, counts);
    keepOnlyCandidates(choice);
    std::optional<StopPlan> plan = planFromLists(choice, tally, counts, extras);
    if (!plan)
        return true; // nothing to draw: the Stop says so
    if (candidates.isEmpty()) {
        tellNoCandidates(choice, *plan);
        return false;
    }
    if (!keepOnlyRuleCandidates(choice, plan, tally, counts, extras))
        return false;
    context.participants = std::move(candidates);
    noteRolling(context, plan);
    return true;
}
