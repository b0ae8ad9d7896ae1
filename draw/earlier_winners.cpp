#include "draw/draw_command.h"

#include "storage/case_fold.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

// Positions of the lines by a key, in list order, handed out one at a time;
// a position taken through one index is skipped by the others.
class PositionQueues
{
  public:
    void add(const QByteArray& key, int position) { queues_[key].positions.push_back(position); }

    int takeFirst(const QByteArray& key, std::vector<bool>& taken)
    {
        auto found = queues_.find(key);
        if (found == queues_.end())
            return -1;
        Queue& queue = found.value();
        while (queue.next < queue.positions.size()) {
            const int position = queue.positions[queue.next++];
            if (!taken[static_cast<size_t>(position)]) {
                taken[static_cast<size_t>(position)] = true;
                return position;
            }
        }
        return -1;
    }

  private:
    struct Queue
    {
        std::vector<int> positions;
        size_t next = 0;
    };
    QHash<QByteArray, Queue> queues_;
};

} // namespace

void removeEarlierWinners(TextLineList& participants, const TextLineList& results)
{
    if (results.isEmpty())
        return;
    // Only lines that some recorded winner can match are queued: indexing
    // every line of a list of millions would freeze the stop for seconds.
    QSet<QByteArray> wantedBytes;
    QSet<QByteArray> wantedKeys;
    for (const QByteArray& resultsLine : results.lines()) {
        const QByteArray recorded = results_format::recordedWinner(resultsLine);
        wantedBytes.insert(recorded);
        wantedKeys.insert(caseFoldKey(recorded));
        wantedKeys.insert(caseFoldKey(results_format::strippedWinner(resultsLine)));
    }
    const std::vector<QByteArray>& lines = participants.lines();
    PositionQueues byBytes;
    PositionQueues byFoldedText;
    for (int i = 0; i < participants.count(); ++i) {
        const QByteArray& line = lines[static_cast<size_t>(i)];
        if (wantedBytes.contains(line))
            byBytes.add(line, i);
        QByteArray key = caseFoldKey(line);
        if (wantedKeys.contains(key))
            byFoldedText.add(key, i);
    }

    std::vector<bool> taken(lines.size(), false);
    std::vector<int> removed;
    for (const QByteArray& resultsLine : results.lines()) {
        const QByteArray recorded = results_format::recordedWinner(resultsLine);
        int position = byBytes.takeFirst(recorded, taken);
        if (position < 0)
            position = byFoldedText.takeFirst(caseFoldKey(recorded), taken);
        if (position < 0)
            position = byFoldedText.takeFirst(
                caseFoldKey(results_format::strippedWinner(resultsLine)), taken);
        if (position >= 0)
            removed.push_back(position);
    }
    std::sort(removed.begin(), removed.end());
    participants.removePositions(removed);
}
