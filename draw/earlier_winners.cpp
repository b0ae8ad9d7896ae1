#include "draw/earlier_winners.h"

#include "storage/case_fold.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Positions of the lines by a key, in list order, handed out one at a time;
// a position taken through one index is skipped by the others. Only keys
// asked for beforehand get a queue, so the index stays as small as the
// results list however long the participant list is.
class PositionQueues
{
  public:
    void want(const QByteArray& key)
    {
        if (!queues_.contains(key))
            queues_.insert(key, Queue());
        const quint32 bit = filterBit(key);
        filter_[bit / 64] |= quint64(1) << (bit % 64);
    }

    // Adds the position when some results line looks for the key.
    void addIfWanted(QByteArrayView key, int position)
    {
        const quint32 bit = filterBit(key);
        if (!(filter_[bit / 64] & (quint64(1) << (bit % 64))))
            return;
        // Looked up in place: the line is not copied.
        auto found = queues_.find(QByteArray::fromRawData(key.data(), key.size()));
        if (found != queues_.end())
            found.value().positions.push_back(position);
    }

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
    // A cheap sieve in front of the hash: a bit for the length and last eight
    // bytes of every wanted key. Most lines are turned away by one bit test,
    // and the sieve is small enough to stay in the first-level cache.
    static constexpr quint32 kFilterBits = 1u << 16;
    static quint32 filterBit(QByteArrayView key)
    {
        quint64 tail = 0;
        const qsizetype size = key.size();
        // A fixed-size copy is one load; lines are nearly always that long.
        if (size >= 8)
            std::memcpy(&tail, key.constData() + size - 8, 8);
        else if (size > 0)
            std::memcpy(&tail, key.constData(), static_cast<size_t>(size));
        const quint64 mixed = (tail ^ static_cast<quint64>(size)) * 0x9E3779B97F4A7C15ull;
        return static_cast<quint32>(mixed >> 48);
    }

    std::array<quint64, kFilterBits / 64> filter_{};

    struct Queue
    {
        std::vector<int> positions;
        size_t next = 0;
    };
    QHash<QByteArray, Queue> queues_;
};

// What one results line looks for, in this order.
struct Wanted
{
    QByteArray recorded;
    QByteArray foldedRecorded;
    QByteArray foldedStripped;
};

} // namespace

void removeEarlierWinners(TextLineList& participants, const TextLineList& results)
{
    if (results.isEmpty())
        return;
    const int lineCount = participants.count();

    std::vector<Wanted> wanted;
    wanted.reserve(static_cast<size_t>(results.count()));
    PositionQueues byBytes;
    for (int i = 0; i < results.count(); ++i) {
        Wanted entry;
        entry.recorded = results_format::recordedWinner(results.get(i));
        byBytes.want(entry.recorded);
        wanted.push_back(std::move(entry));
    }
    // One bit test per participant line, a hash lookup for the few that pass
    // it, no copies of the lines.
    for (int i = 0; i < lineCount; ++i)
        byBytes.addIfWanted(participants.view(i), i);

    // Recorded winners are normally exact copies of their lines; the folded
    // index, which folds every participant line, is built only when a winner
    // is not found byte for byte. It is built whole, so it hands out the
    // same positions as if it had existed from the start.
    PositionQueues byFoldedText;
    bool foldedIndexBuilt = false;
    auto buildFoldedIndex = [&] {
        for (Wanted& entry : wanted) {
            entry.foldedRecorded = caseFoldKey(entry.recorded);
            byFoldedText.want(entry.foldedRecorded);
        }
        for (size_t i = 0; i < wanted.size(); ++i) {
            wanted[i].foldedStripped =
                caseFoldKey(results_format::strippedWinner(results.get(static_cast<int>(i))));
            byFoldedText.want(wanted[i].foldedStripped);
        }
        QByteArray key;
        for (int i = 0; i < lineCount; ++i) {
            caseFoldKeyInto(participants.view(i), key);
            byFoldedText.addIfWanted(key, i);
        }
        foldedIndexBuilt = true;
    };

    std::vector<bool> taken(static_cast<size_t>(lineCount), false);
    std::vector<int> removed;
    removed.reserve(wanted.size());
    for (const Wanted& entry : wanted) {
        int position = byBytes.takeFirst(entry.recorded, taken);
        if (position < 0) {
            if (!foldedIndexBuilt)
                buildFoldedIndex();
            position = byFoldedText.takeFirst(entry.foldedRecorded, taken);
        }
        if (position < 0)
            position = byFoldedText.takeFirst(entry.foldedStripped, taken);
        if (position >= 0)
            removed.push_back(position);
    }
    std::sort(removed.begin(), removed.end());
    participants.removePositions(removed);
}

void keepOnlyRoundCandidates(TextLineList& participants, const TextLineList& results,
                             const std::vector<QByteArray>& voided, bool repeatsAllowed)
{
    if (!repeatsAllowed && !results.isEmpty())
        removeEarlierWinners(participants, results);
    if (voided.empty())
        return;
    TextLineList voidedList;
    for (const QByteArray& line : voided)
        voidedList.add(line);
    removeEarlierWinners(participants, voidedList);
}
