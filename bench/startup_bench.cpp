// The main window's start-up routine with a 10 MB participant file beside it.
// The routine does not read that file; the case shows it stays that way.

#include "bench_data.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "storage/working_files.h"
#include "summary_table.h"
#include "ui/cou.h"

#include <QFileInfo>
#include <stdexcept>

namespace {

constexpr qsizetype kParticipantFileBytes = 10 * 1024 * 1024;

void prepare(BenchWorkspace& workspace)
{
    workspace.writeTitlePicture();
    workspace.writeFile(QLatin1String(working_files::kParticipants),
                        participantFileOfSize(kParticipantFileBytes));
}

void measureStartUpRoutine(benchmark::State& state, const CaseInfo&)
{
    BenchWorkspace workspace;
    prepare(workspace);
    TForm1 window;
    for (auto _ : state) {
        IterationTimer timer(state);
        window.loadMainWindowState();
    }
    if (QFileInfo(workspace.filePath(QLatin1String(working_files::kResults))).size() != 0)
        state.SkipWithError("the routine did not leave an empty results file");
}

// Creating the main window, which runs the routine once.
void measureWindowCreation(benchmark::State& state, const CaseInfo&)
{
    BenchWorkspace workspace;
    prepare(workspace);
    for (auto _ : state) {
        IterationTimer timer(state);
        TForm1 window;
        benchmark::DoNotOptimize(&window);
    }
}

} // namespace

void registerStartUpBenchmarks()
{
    CaseInfo startUp;
    startUp.kind = CaseInfo::Kind::StartUp;
    startUp.title = "Start-up routine (loadMainWindowState), 10 MB participant file";
    registerCase("StartUp/routine", startUp, measureStartUpRoutine);

    startUp.title = "Main window creation, 10 MB participant file";
    registerCase("StartUp/window", startUp, measureWindowCreation);
}
