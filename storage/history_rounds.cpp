#include "storage/history_rounds.h"

#include <algorithm>

namespace history_rounds {

using draw_history::HistoryLine;
using draw_history::RoundStart;

int Round::activeCount() const
{
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                          [](const RoundEntry& entry) { return !entry.voided; }));
}

std::vector<QByteArray> Round::voidedLines() const
{
    std::vector<QByteArray> lines;
    for (const RoundEntry& entry : entries)
        if (entry.voided)
            lines.push_back(entry.resultsLine);
    return lines;
}

size_t Round::entryAVoidReaches(size_t index) const
{
    for (size_t i = entries.size(); i-- > index;)
        if (!entries[i].voided && entries[i].resultsLine == entries[index].resultsLine)
            return i;
    return index;
}

Round& RoundBuilder::current()
{
    if (rounds_.empty())
        rounds_.emplace_back();
    return rounds_.back();
}

void RoundBuilder::startRound(RoundStart start)
{
    rounds_.push_back(Round{start, {}});
}

void RoundBuilder::resume()
{
    // Only an empty round gives way: winners drawn since stay where they are.
    if (current().entries.empty()) {
        while (!rounds_.empty() && rounds_.back().entries.empty())
            rounds_.pop_back();
        if (rounds_.empty())
            rounds_.emplace_back();
    }
}

void RoundBuilder::addWinner(const QDateTime& at, const QByteArray& resultsLine)
{
    addEntry(RoundEntry{at.date(), at.time(), resultsLine, false});
}

void RoundBuilder::addEntry(RoundEntry entry)
{
    current().entries.push_back(std::move(entry));
    dropRoundsBeforeTheLastWithWinners();
}

bool RoundBuilder::voidWinner(const QByteArray& resultsLine)
{
    std::vector<RoundEntry>& entries = current().entries;
    for (size_t i = entries.size(); i-- > 0;) {
        if (!entries[i].voided && entries[i].resultsLine == resultsLine)
            return voidEntry(i);
    }
    return false;
}

bool RoundBuilder::withdrawWinner(const QByteArray& resultsLine)
{
    std::vector<RoundEntry>& entries = current().entries;
    for (size_t i = entries.size(); i-- > 0;) {
        if (!entries[i].voided && entries[i].resultsLine == resultsLine) {
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

bool RoundBuilder::voidEntry(size_t index)
{
    std::vector<RoundEntry>& entries = current().entries;
    if (index >= entries.size() || entries[index].voided)
        return false;
    entries[index].voided = true;
    return true;
}

void RoundBuilder::dropRoundsBeforeTheLastWithWinners()
{
    if (rounds_.size() > 1)
        rounds_.erase(rounds_.begin(), rounds_.end() - 1);
}

void RoundBuilder::addLine(const QByteArray& line)
{
    HistoryLine read = draw_history::readLine(line);
    switch (read.kind) {
    case HistoryLine::Kind::RoundStarted:
        startRound(read.start);
        break;
    case HistoryLine::Kind::Resumed:
        resume();
        break;
    case HistoryLine::Kind::Winner:
        addEntry(RoundEntry{read.date, read.time, std::move(read.resultsLine), false});
        break;
    case HistoryLine::Kind::Voided:
        voidWinner(read.resultsLine);
        break;
    case HistoryLine::Kind::Withdrawn:
        withdrawWinner(read.resultsLine);
        break;
    case HistoryLine::Kind::Unknown:
        break;
    }
}

std::vector<Round> readRounds(const QByteArray& history)
{
    return buildRounds(history).rounds();
}

RoundBuilder buildRounds(const QByteArray& history)
{
    std::vector<QByteArray> lines;
    qsizetype begin = 0;
    for (qsizetype end = history.indexOf('\n'); end >= 0;
         begin = end + 1, end = history.indexOf('\n', begin)) {
        lines.push_back(history.mid(begin, end - begin));
        if (lines.back().endsWith('\r'))
            lines.back().chop(1);
    }
    RoundBuilder builder;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool cut = i + 1 < lines.size() && draw_history::isCutLineMarker(lines[i + 1]);
        if (!cut)
            builder.addLine(lines[i]);
    }
    return builder;
}

namespace {

// The last round holding winners when every round after it is an empty one
// begun in one of the given ways (at least one such round).
template <typename Accept>
const Round* lastRoundWithWinnersFollowedBy(const std::vector<Round>& rounds, Accept accept)
{
    for (size_t i = rounds.size(); i-- > 0;) {
        if (!rounds[i].entries.empty())
            return i + 1 < rounds.size() ? &rounds[i] : nullptr;
        if (!accept(rounds[i].start))
            return nullptr;
    }
    return nullptr;
}

} // namespace

const Round* roundLeftByRestart(const std::vector<Round>& rounds)
{
    return lastRoundWithWinnersFollowedBy(
        rounds, [](RoundStart start) { return start == RoundStart::ProgramStart; });
}

const Round* roundLeftByReset(const std::vector<Round>& rounds)
{
    return lastRoundWithWinnersFollowedBy(rounds, [](RoundStart start) {
        return start == RoundStart::Initialize || start == RoundStart::SettingsSave;
    });
}

} // namespace history_rounds
