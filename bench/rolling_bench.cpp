// One pass of the rolling display over 100,000 participants: the draw's own
// step on a fake window, and the whole step in the real main window.

#include "base/working_files.h"
#include "bench_data.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "draw/rolling_display.h"
#include "fake_draw_surface.h"
#include "storage/text_line_list.h"
#include "summary_table.h"
#include "ui/main_window/cou.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>
#include <QTimerEvent>
#include <stdexcept>

namespace {

void measureRollStep(benchmark::State& state, const CaseInfo& info)
{
    BenchWorkspace workspace(memoryFolder());
    writeParticipantFile(workspace.filePath(QLatin1String(working_files::kParticipants)),
                         info.participants);
    FakeDrawSurface surface;
    DrawSettings settings;
    TextLineList participants;
    TextLineList results;
    TextLineList levelPrefixes;
    QByteArray currentWinner;
    participants.load(QLatin1String(working_files::kParticipants));
    DrawContext context{surface, settings, participants, results, levelPrefixes, currentWinner};
    surface.timerEnabled = true;
    RollingDisplay rolling;
    rolling.tick(context);
    for (auto _ : state) {
        IterationTimer timer(state);
        rolling.pass(context);
    }
    if (surface.display.isEmpty() || !surface.passesActive)
        state.SkipWithError("the roll did not show participants");
}

// The pass timer's tick as the event loop delivers it, then the repaint the
// new text asks for.
void deliverTimeout(QTimer* timer)
{
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
    QCoreApplication::processEvents();
}

void measureWindowRollStep(benchmark::State& state, const CaseInfo& info)
{
    BenchWorkspace workspace(memoryFolder());
    workspace.writeTitlePicture();
    writeParticipantFile(workspace.filePath(QLatin1String(working_files::kParticipants)),
                         info.participants);
    workspace.fakes.desktop.folder = workspace.filePath(QStringLiteral("desktop"));
    TForm1 window;
    window.show();
    QCoreApplication::processEvents();
    window.btn3Click(); // Start
    window.tmr1Timer(); // the first tick starts the passes
    auto* passTimer = window.findChild<QTimer*>(QStringLiteral("rollTimer"));
    auto* display = window.findChild<QLineEdit*>(QStringLiteral("edt1"));
    if (!passTimer || !passTimer->isActive() || !display)
        throw std::runtime_error("the roll did not start in the main window");
    for (auto _ : state) {
        IterationTimer timer(state);
        deliverTimeout(passTimer);
    }
    if (display->text().isEmpty() || !window.isDrawRunning())
        state.SkipWithError("the roll did not show participants");
    window.btn3Click(); // Stop
}

} // namespace

void registerRollingBenchmarks()
{
    // The step must not grow with the list: the smallest and the largest.
    std::vector<int> sizes{100000};
    if (maxBenchParticipants() > 100000)
        sizes.push_back(maxBenchParticipants());
    for (int participants : sizes) {
        CaseInfo step;
        step.kind = CaseInfo::Kind::RollStep;
        step.title = "Roll step (draw's pass, fake window)";
        step.participants = participants;
        step.limitMs = 1;
        const std::string suffix = "/N:" + std::to_string(participants);
        registerCase("RollStep" + suffix, step, measureRollStep);

        step.title = "Roll step (main window: pass, text and repaint)";
        registerCase("RollStepWindow" + suffix, step, measureWindowRollStep);
    }
}
