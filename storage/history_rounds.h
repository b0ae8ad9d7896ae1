#pragma once

#include "storage/draw_history.h"

#include <QByteArray>
#include <QDateTime>
#include <vector>

// Reads the draw history back as rounds of winners. The history is the
// draw's journal: separator lines end a round (a program start, an
// Initialize, a settings save that emptied a round, a declined
// continuation), a resume line reopens the last round that held winners, a
// void line marks one winner of the round as voided, a withdrawn line takes
// out a winner the results file never received.
namespace history_rounds {

struct RoundEntry
{
    // The local date and time of the draw, as the history line holds them.
    QDate date;
    QTime time;
    QByteArray resultsLine; // level label and participant line
    bool voided = false;

    QDateTime at() const { return QDateTime(date, time); }
};

struct Round
{
    draw_history::RoundStart start = draw_history::RoundStart::HistoryBegins;
    std::vector<RoundEntry> entries;

    int activeCount() const;
    // The voided entries' results lines, in order.
    std::vector<QByteArray> voidedLines() const;
    // The entry a void of this entry's line voids when the history is read
    // back: the last one of that line not voided yet. A void line names only
    // the results line, so two equal winners are told apart this way alone.
    size_t entryAVoidReaches(size_t index) const;
};

// Turns history lines into rounds, one line at a time. Only the rounds from
// the last one that held winners on are kept: nothing can reopen an earlier
// one.
class RoundBuilder
{
  public:
    // One whole line without its CR LF; a line of no known form is skipped.
    void addLine(const QByteArray& line);
    void startRound(draw_history::RoundStart start);
    void resume();
    void addWinner(const QDateTime& at, const QByteArray& resultsLine);
    // Voids the last entry of the current round with this results line that
    // is not voided yet; false when there is none.
    bool voidWinner(const QByteArray& resultsLine);
    bool voidEntry(size_t index);
    // Takes out the last entry of the current round with this results line
    // that is not voided; false when there is none.
    bool withdrawWinner(const QByteArray& resultsLine);

    const std::vector<Round>& rounds() const { return rounds_; }
    // The round the next winner goes to.
    Round& current();

  private:
    void addEntry(RoundEntry entry);
    void dropRoundsBeforeTheLastWithWinners();

    std::vector<Round> rounds_;
};

// The rounds of a whole history. Only lines ended by CR LF (or LF) count: a
// last line cut by a crash is left out, and so is a line followed by the
// cut-line marker.
std::vector<Round> readRounds(const QByteArray& history);
RoundBuilder buildRounds(const QByteArray& history);

// The round a restart left unfinished: the last round that holds winners,
// when every round after it is an empty one begun by a program start.
const Round* roundLeftByRestart(const std::vector<Round>& rounds);
// The round an Initialize or settings save emptied: the last round that holds
// winners, when every round after it is an empty one begun by one of those.
const Round* roundLeftByReset(const std::vector<Round>& rounds);

} // namespace history_rounds
