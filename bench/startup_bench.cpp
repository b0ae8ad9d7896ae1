// The main window's start-up routine with a 10 MB participant file beside it.
// The routine does not read that file; the case shows it stays that way.
// Creating the window does read the draw history, to find a round to
// continue: one case gives it the history of years of parties.

#include "base/gbk.h"
#include "base/working_files.h"
#include "bench_data.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "storage/draw_history.h"
#include "summary_table.h"
#include "ui/main_window/cou.h"

#include <QFileInfo>
#include <stdexcept>

namespace {

constexpr qsizetype kParticipantFileBytes = 10 * 1024 * 1024;
constexpr int kHistoryRounds = 2000;
constexpr int kWinnersPerRound = 50; // 100,000 winner lines, about 5 MB

// Rounds of winners, each begun by a program start: what a history gathers
// over years of parties in one folder.
QByteArray longHistory()
{
    QDateTime at(QDate(2020, 1, 1), QTime(20, 0));
    QByteArray history;
    for (int round = 0; round < kHistoryRounds; ++round) {
        history += draw_history::separatorLine(at, draw_history::RoundStart::ProgramStart) + "\r\n";
        for (int winner = 0; winner < kWinnersPerRound; ++winner) {
            at = at.addSecs(30);
            history += draw_history::winnerLine(at, gbk::text("三等奖：员工") +
                                                        QByteArray::number(winner) +
                                                        " 110101199001011234") +
                       "\r\n";
        }
    }
    return history;
}

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

// Creating the main window beside a 100,000-line history, which each window
// reads and then appends its start line to.
void measureWindowCreationWithHistory(benchmark::State& state, const CaseInfo&)
{
    BenchWorkspace workspace;
    prepare(workspace);
    workspace.writeFile(QLatin1String(draw_history::kFileName), longHistory());
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

    startUp.title = "Main window creation, 10 MB participant file, 100,000-line history";
    registerCase("StartUp/windowWithHistory", startUp, measureWindowCreationWithHistory);
}
