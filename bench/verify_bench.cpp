// The check of a night's record: 100,000 winners drawn by the program itself
// in Stops of 1,000 from 150,000 participants, then computed again.

#include "base/gbk.h"
#include "base/working_files.h"
#include "bench_draw_scene.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "draw/draw_command.h"
#include "draw/draw_options.h"
#include "draw/draw_status.h"
#include "draw/round_state.h"
#include "fake_draw_surface.h"
#include "storage/draw_history.h"
#include "storage/program_settings.h"
#include "storage/text_line_list.h"
#include "summary_table.h"
#include "verify/record_check.h"

namespace {

constexpr int kParticipants = 150000;
constexpr int kWinners = 100000;
constexpr int kBatch = 1000;

struct NightScene : BenchDrawScene
{
    NightScene()
    {
        QByteArray list;
        const QByteArray name = gbk::text("员工");
        for (int i = 0; i < kParticipants; ++i)
            list += name + QByteArray::number(i) + '\t' + QByteArray::number(100000 + i) + "\r\n";
        workspace.writeFile(QLatin1String(working_files::kParticipants), list);
        workspace.writeFile(QLatin1String(working_files::kResults), QByteArray());
        settings.countTexts = {"", "", "", "", "", QByteArray::number(kWinners)};
        settings.repeatText = setting_names::no();
        options.batchSizes = {1, 1, 1, 1, 1, kBatch};
        RoundState round(QLatin1String(draw_history::kFileName));
        QDateTime at(QDate(2026, 12, 8), QTime(19, 0, 0, 500));
        round.programStarted(at);
        for (int stop = 0; stop < kWinners / kBatch; ++stop) {
            workspace.fakes.clock.time = at = at.addSecs(7);
            DrawContext context = drawContext();
            context.round = &round;
            runStartStop(context);
            runStartStop(context);
        }
    }
};

void measureVerify(benchmark::State& state, const CaseInfo&)
{
    static NightScene scene; // drawn once: a minute of Stops
    record_check::Result result;
    for (auto _ : state) {
        IterationTimer timer(state);
        result = record_check::checkFolder(QStringLiteral("."));
    }
    if (result.outcome != record_check::Result::Outcome::Verified || result.winners != kWinners)
        state.SkipWithError("the night's record did not verify");
}

} // namespace

void registerVerifyBenchmarks()
{
    CaseInfo verify;
    verify.kind = CaseInfo::Kind::Step;
    verify.title = "prizmora-verify: 100,000 winners in Stops of 1,000 from 150,000 participants";
    verify.participants = kParticipants;
    verify.recorded = kWinners;
    verify.limitMs = 5000;
    registerCase("VerifyRecord/N:150000/winners:100000/batch:1000", verify, measureVerify);
}
