#include "storage/history_void_times.h"

#include "base/line_splitting.h"
#include "storage/history_journal.h"

#include <QHash>

namespace history_void_times {

namespace {

constexpr qsizetype kTimeBytes = 19; // yyyy-MM-dd HH:mm:ss

// The marker after the time of a void or withdrawn line, as the journal
// writes it.
QByteArray markerOf(const QByteArray& line)
{
    return line.mid(kTimeBytes + 1);
}

QDateTime timeOf(const QByteArray& text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

struct Entry
{
    QByteArray resultsLine;
    QByteArray drawnAt;
};

} // namespace

std::vector<Voided> voided(const QByteArray& history)
{
    const QDateTime any(QDate(2000, 1, 1), QTime(0, 0));
    static const QByteArray voidMarker = markerOf(history_journal::voidLine(any, {}));
    static const QByteArray withdrawnMarker = markerOf(history_journal::withdrawnLine(any, {}));

    std::vector<Entry> entries;
    QHash<QByteArray, std::vector<size_t>> open; // not voided, per results line, in order
    std::vector<std::pair<size_t, QByteArray>> voids;
    for (const QByteArray& line : splitIntoLines(history)) {
        if (line.size() <= kTimeBytes || line.at(kTimeBytes) != '\t' || line.at(4) != '-')
            continue;
        const QByteArray time = line.left(kTimeBytes);
        const QByteArray rest = line.mid(kTimeBytes + 1);
        const bool isVoid = rest.startsWith(voidMarker);
        if (isVoid || rest.startsWith(withdrawnMarker)) {
            const auto found = open.find(rest.mid((isVoid ? voidMarker : withdrawnMarker).size()));
            if (found == open.end() || found->empty())
                continue;
            if (isVoid)
                voids.emplace_back(found->back(), time);
            found->pop_back();
            continue;
        }
        open[rest].push_back(entries.size());
        entries.push_back(Entry{rest, time});
    }
    std::vector<Voided> result;
    for (const auto& [index, time] : voids)
        result.push_back(
            Voided{entries[index].resultsLine, timeOf(entries[index].drawnAt), timeOf(time)});
    return result;
}

} // namespace history_void_times
