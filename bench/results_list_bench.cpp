// A winner line of a megabyte in the main window's results list: appended and
// painted, after ten such lines already there.

#include "bench_timer.h"
#include "bench_workspace.h"
#include "summary_table.h"
#include "ui/main_window/cou.h"
#include "ui/main_window/results_list_lines.h"

#include <QPlainTextEdit>
#include <stdexcept>

namespace {

constexpr int kEarlierLongLines = 10;

// Half a million Chinese characters: 1 MB in GBK.
QString megabyteWinnerLine()
{
    return QStringLiteral("五等奖：") + QString(512 * 1024, QChar(0x5F20)) +
           QStringLiteral(" 2026/12/8 20:00:00");
}

void measureLongWinnerLine(benchmark::State& state, const CaseInfo&)
{
    BenchWorkspace workspace;
    workspace.writeTitlePicture();
    TForm1 window;
    window.show();
    auto* mmo1 = window.findChild<QPlainTextEdit*>(QStringLiteral("mmo1"));
    if (!mmo1)
        throw std::runtime_error("the main window has no results list");
    const QString line = megabyteWinnerLine();
    for (int i = 0; i < kEarlierLongLines; ++i)
        results_list_lines::append(*mmo1, line);
    mmo1->viewport()->repaint();
    for (auto _ : state) {
        IterationTimer timer(state);
        results_list_lines::append(*mmo1, line);
        mmo1->viewport()->repaint();
    }
}

} // namespace

void registerResultsListBenchmarks()
{
    CaseInfo longLine;
    longLine.kind = CaseInfo::Kind::Step;
    longLine.title = "Results list: 1 MB winner line appended and painted, after 10 such lines";
    longLine.limitMs = 100;
    registerCase("ResultsList/megabyteLine", longLine, measureLongWinnerLine);
}
