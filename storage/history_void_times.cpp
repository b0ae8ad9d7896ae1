#include "storage/history_void_times.h"

#include "base/line_splitting.h"
#include "storage/draw_history.h"

#include <QHash>

namespace history_void_times {

namespace {

struct Entry
{
    QByteArray resultsLine;
    QDateTime drawnAt;
};

} // namespace

std::vector<Voided> voided(const QByteArray& history)
{
    using draw_history::HistoryLine;
    std::vector<Entry> entries;
    QHash<QByteArray, std::vector<size_t>> open; // not voided, per results line, in order
    std::vector<std::pair<size_t, QDateTime>> voids;
    for (const QByteArray& text : splitIntoLines(history)) {
        const HistoryLine line = draw_history::readLine(text);
        switch (line.kind) {
        case HistoryLine::Kind::Winner:
            open[line.resultsLine].push_back(entries.size());
            entries.push_back(Entry{line.resultsLine, QDateTime(line.date, line.time)});
            break;
        case HistoryLine::Kind::Voided:
        case HistoryLine::Kind::Withdrawn: {
            const auto found = open.find(line.resultsLine);
            if (found == open.end() || found->empty())
                break;
            if (line.kind == HistoryLine::Kind::Voided)
                voids.emplace_back(found->back(), QDateTime(line.date, line.time));
            found->pop_back();
            break;
        }
        default:
            break;
        }
    }
    std::vector<Voided> result;
    for (const auto& [index, time] : voids)
        result.push_back(Voided{entries[index].resultsLine, entries[index].drawnAt, time});
    return result;
}

} // namespace history_void_times
