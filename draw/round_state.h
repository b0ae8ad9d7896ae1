#pragma once

#include "storage/draw_history.h"
#include "storage/history_rounds.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

// The rounds of the draw as the history tells them, kept in step with every
// line the window adds to it: the window reads the history once at start and
// then writes each event here, which appends its line and applies it.
class RoundState
{
  public:
    explicit RoundState(QString historyPath);

    // Reads the history; a missing or unreadable one gives no rounds.
    void load();

    void programStarted(const QDateTime& at);
    void initialized(const QDateTime& at);
    // Only a save that empties winners is worth a line.
    void settingsSaved(const QDateTime& at);
    void declinedToContinue(const QDateTime& at);
    void resumed(const QDateTime& at, draw_history::Resume how);
    // The draw has written the winner's history line itself.
    void winnerRecorded(const QDateTime& at, const QByteArray& resultsLine);
    void voidEntry(size_t index, const QDateTime& at);
    // The results file refused winners already in the history: they leave
    // the round, last first.
    void winnersWithdrawn(const QDateTime& at, const std::vector<QByteArray>& resultsLines);

    const std::vector<history_rounds::Round>& rounds() const { return builder_.rounds(); }
    const history_rounds::Round& currentRound() const;
    // The voided winners' results lines: kept out of every later draw of
    // the round.
    std::vector<QByteArray> voidedWinners() const { return currentRound().voidedLines(); }

  private:
    void append(const QByteArray& line);

    QString historyPath_;
    bool endsInCutLine_ = false;
    history_rounds::RoundBuilder builder_;
};
