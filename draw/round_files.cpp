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
    // The last copy of the line is the winner voided.
    for (int i = results.count() - 1; i >= 0; --i) {
        if (results.view(i) == resultsLine) {
            results.deleteAt(i);
            results.save(resultsPath);
            break;
        }
    }
    state.voidEntry(entry, at);
    return results.copyLines();
}

} // namespace round_files
