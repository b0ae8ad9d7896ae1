// A Stop that draws a batch of winners, held against a Stop that draws one
// on the same files: the batch must not cost a file rewrite per winner.

#include "base/line_splitting.h"
#include "base/working_files.h"
#include "bench_data.h"
#include "bench_draw_scene.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "draw/draw_command.h"
#include "draw/draw_options.h"
#include "draw/draw_status.h"
#include "fake_draw_surface.h"
#include "storage/program_settings.h"
#include "storage/text_line_list.h"
#include "summary_table.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr int kParticipants = 1000000;
constexpr int kRecorded = 100;
constexpr int kBatch = 100;

// Participants, earlier fifth-prize winners and room for a whole batch more.
struct BatchScene : BenchDrawScene
{
    BatchScene()
    {
        resultsBytes = fileBytes(resultsLines(kParticipants, kRecorded));
        workspace.writeFile(QLatin1String(working_files::kParticipants),
                            participantFile(kParticipants));
        settings.startMusicPath = ".\\01.wav";
        settings.stopMusicPath = ".\\02.wav";
        settings.countTexts = {"", "", "", "", "", QByteArray::number(kRecorded + kBatch)};
        settings.repeatText = setting_names::no();
    }

    // One Stop click on the files as they were before it.
    void stop(int winners)
    {
        workspace.writeFile(QLatin1String(working_files::kResults), resultsBytes);
        options.batchSizes[5] = winners;
        surface.caption = draw_texts::stopCaption();
        surface.timerEnabled = true;
        DrawContext context = drawContext();
        runStartStop(context);
    }
    int recordedNow() const
    {
        return static_cast<int>(
            splitIntoLines(workspace.readFile(QLatin1String(working_files::kResults))).size());
    }

    QByteArray resultsBytes;
};

// The floor is a one-winner Stop, measured before every batch Stop so both
// see the same load of the machine.
void measureBatchStop(benchmark::State& state, const CaseInfo&)
{
    BatchScene scene;
    std::vector<double> singles;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        scene.stop(1);
        const std::chrono::duration<double, std::milli> single =
            std::chrono::steady_clock::now() - start;
        singles.push_back(single.count());
        if (scene.recordedNow() != kRecorded + 1) {
            state.SkipWithError("the one-winner Stop did not record one winner");
            return;
        }
        IterationTimer timer(state);
        scene.stop(kBatch);
    }
    if (scene.recordedNow() != kRecorded + kBatch) {
        state.SkipWithError("the batch Stop did not record the whole batch");
        return;
    }
    std::sort(singles.begin(), singles.end());
    state.counters["floor_ms"] = singles[singles.size() / 2];
}

} // namespace

void registerBatchStopBenchmarks()
{
    CaseInfo batch;
    batch.kind = CaseInfo::Kind::StopClick;
    batch.title = "Stop click drawing 100 winners (floor: a one-winner Stop on the same files)";
    batch.participants = kParticipants;
    batch.recorded = kRecorded;
    batch.repeats = 0;
    batch.limitFloorRatio = 3;
    registerCase("BatchStopClick/N:1000000/R:100/repeats:off/winners:100", batch, measureBatchStop);
}
