#include "draw/round_files.h"

#include "base/working_files.h"
#include "draw/round_state.h"
#include "storage/text_line_list.h"

#include <algorithm>

namespace round_files {

void restore(RoundState& state, const std::vector<QByteArray>& keptResultsLines,
             draw_history::Resume how, const QDateTime& at)
{
    TextLineList results;
    for (const QByteArray& line : keptResultsLines)
        results.add(line);
    results.save(QLatin1String(working_files::kResults));
    state.resumed(at, how);
}

std::vector<QByteArray> voidEntry(RoundState& state, size_t entry, const QDateTime& at)
{
    const QByteArray resultsLine = state.currentRound().entries[entry].resultsLine;
    TextLineList results;
    const QString resultsPath = QLatin1String(working_files::kResults);
    results.load(resultsPath);
    const std::vector<QByteArray>& lines = results.lines();
    const auto found = std::find(lines.rbegin(), lines.rend(), resultsLine);
    if (found != lines.rend()) {
        results.deleteAt(static_cast<int>(lines.rend() - found) - 1);
        results.save(resultsPath);
    }
    state.voidEntry(entry, at);
    return results.lines();
}

} // namespace round_files
