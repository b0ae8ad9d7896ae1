// The Start and the Stop click on real files, and the floor they are held
// against: reading and splitting the same two files and nothing else.

#include "bench_data.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "draw/draw_command.h"
#include "fake_draw_surface.h"
#include "storage/default_settings.h"
#include "storage/line_splitting.h"
#include "storage/text_line_list.h"
#include "storage/working_files.h"
#include "summary_table.h"

#include <QFile>
#include <stdexcept>

namespace {

// One main window's draw state over a participant file of N lines and a
// results file of R earlier fifth-prize winners, one more of them to draw.
struct DrawScene
{
    DrawScene(int participantCount, int recordedCount, bool repeatsAllowed,
              RecordedAs form = RecordedAs::ExactCopy)
    {
        const std::vector<QByteArray> lines = participantLines(participantCount);
        resultsBytes = fileBytes(resultsLines(lines, recordedCount, form));
        recorded = recordedCount;
        workspace.writeFile(QLatin1String(working_files::kParticipants), fileBytes(lines));
        workspace.writeFile(QLatin1String(working_files::kResults), resultsBytes);
        settings.startMusicPath = ".\\01.wav";
        settings.stopMusicPath = ".\\02.wav";
        settings.countTexts = {"", "", "", "", "", QByteArray::number(recordedCount + 1)};
        settings.repeatText = repeatsAllowed ? setting_names::yes() : setting_names::no();
    }

    void click()
    {
        DrawContext context{surface, settings, participants, results, levelPrefixes, currentWinner};
        runStartStop(context);
    }
    void resetResultsFile()
    {
        workspace.writeFile(QLatin1String(working_files::kResults), resultsBytes);
    }

    BenchWorkspace workspace;
    FakeDrawSurface surface;
    DrawSettings settings;
    TextLineList participants;
    TextLineList results;
    TextLineList levelPrefixes;
    QByteArray currentWinner;
    QByteArray resultsBytes;
    int recorded = 0;
};

std::vector<QByteArray> readAndSplit(const char* name)
{
    QFile file(QLatin1String{name});
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("cannot open ") + name);
    return splitIntoLines(file.readAll());
}

void measureFloor(benchmark::State& state, const CaseInfo& info)
{
    DrawScene scene(info.participants, info.recorded, false);
    for (auto _ : state) {
        IterationTimer timer(state);
        std::vector<QByteArray> participants = readAndSplit(working_files::kParticipants);
        std::vector<QByteArray> results = readAndSplit(working_files::kResults);
        benchmark::DoNotOptimize(participants.data());
        benchmark::DoNotOptimize(results.data());
    }
}

void measureStartClick(benchmark::State& state, const CaseInfo& info)
{
    DrawScene scene(info.participants, info.recorded, info.repeats == 1);
    for (auto _ : state) {
        scene.surface.caption = draw_texts::startCaption();
        scene.surface.timerEnabled = false;
        IterationTimer timer(state);
        scene.click();
    }
    if (!scene.surface.running() || !scene.surface.timerEnabled)
        state.SkipWithError("the click did not start the draw");
}

void measureStopClickIn(DrawScene& scene, benchmark::State& state, const CaseInfo& info)
{
    for (auto _ : state) {
        scene.resetResultsFile();
        scene.surface.caption = draw_texts::stopCaption();
        scene.surface.timerEnabled = true;
        scene.currentWinner.clear();
        IterationTimer timer(state);
        scene.click();
    }
    // Every stop must have drawn and recorded one more winner, and with
    // repeats off that winner is none of the earlier ones.
    const QByteArray after = scene.workspace.readFile(QLatin1String(working_files::kResults));
    const std::vector<QByteArray> recorded = splitIntoLines(after);
    const int candidates = info.participants - (info.repeats == 1 ? 0 : info.recorded);
    if (static_cast<int>(recorded.size()) != info.recorded + 1 || scene.currentWinner.isEmpty() ||
        scene.participants.count() != candidates)
        state.SkipWithError("the click did not draw one winner from the expected candidates");
}

void measureStopClick(benchmark::State& state, const CaseInfo& info)
{
    DrawScene scene(info.participants, info.recorded, info.repeats == 1);
    measureStopClickIn(scene, state, info);
}

// Every winner found only through the case-insensitive comparison: the
// slowest removal, which folds every participant line.
void measureStopClickOtherCase(benchmark::State& state, const CaseInfo& info)
{
    DrawScene scene(info.participants, info.recorded, false, RecordedAs::OtherCase);
    measureStopClickIn(scene, state, info);
}

std::string caseName(const char* what, int participants, int recorded, int repeats)
{
    std::string name =
        std::string(what) + "/N:" + std::to_string(participants) + "/R:" + std::to_string(recorded);
    if (repeats >= 0)
        name += repeats ? "/repeats:on" : "/repeats:off";
    return name;
}

} // namespace

void registerDrawClickBenchmarks()
{
    for (int participants : {1000, 10000, 100000}) {
        for (int recorded : {10, 100, 1000}) {
            // A draw needs more participants than winners in all: at 1,000
            // participants no setting leaves room for a 1,001st winner.
            if (participants <= recorded + 1)
                continue;
            CaseInfo floor;
            floor.kind = CaseInfo::Kind::Floor;
            floor.title = "Floor: read and split both files";
            floor.participants = participants;
            floor.recorded = recorded;
            registerCase(caseName("Floor", participants, recorded, -1), floor, measureFloor);

            for (int repeats : {0, 1}) {
                CaseInfo start = floor;
                start.kind = CaseInfo::Kind::StartClick;
                start.title = "Start click";
                start.repeats = repeats;
                registerCase(caseName("StartClick", participants, recorded, repeats), start,
                             measureStartClick);
            }
            for (int repeats : {0, 1}) {
                CaseInfo stop = floor;
                stop.kind = CaseInfo::Kind::StopClick;
                stop.title = "Stop click";
                stop.repeats = repeats;
                if (participants == 100000 && recorded == 1000 && repeats == 0) {
                    stop.limitMs = 50;
                    stop.limitFloorRatio = 3;
                }
                registerCase(caseName("StopClick", participants, recorded, repeats), stop,
                             measureStopClick);
            }
            if (participants == 100000) {
                CaseInfo otherCase = floor;
                otherCase.kind = CaseInfo::Kind::StopClick;
                otherCase.title = "Stop click, winners recorded in the other case";
                otherCase.repeats = 0;
                registerCase(caseName("StopClickOtherCase", participants, recorded, 0), otherCase,
                             measureStopClickOtherCase);
            }
        }
    }
}
