#pragma once

#include "storage/extra_prizes.h"
#include "storage/history_rounds.h"
#include "storage/screen_privacy_settings.h"

#include <QByteArray>
#include <QString>
#include <vector>

// What continuing or restoring a round puts back, worked out from the round
// and the counts in force, and the texts of the round's questions.
struct LevelCounts;

namespace round_recovery {

// Winners drawn, but fewer kept than the counts ask for: the levels' winners
// under the total, or a listed extra prize short of its count.
bool isUnfinished(const history_rounds::Round& round, qint64 total,
                  const extra_prizes::ExtraPrizeList& extras = {});

// The line the results list shows for an entry: label, participant, the
// time it was drawn, and the void mark when voided.
QByteArray screenLine(const history_rounds::RoundEntry& entry);
QByteArray voidMark(); // " 【作废】"
// The entry a results-list line shows: the last one not voided whose line it
// is (equal lines are the same person at the same level and second); -1 for
// none, such as a line of an earlier round.
int entryShownBy(const history_rounds::Round& round, const QByteArray& line);

struct Plan
{
    std::vector<QByteArray> resultsLines; // the kept winners, in order
    std::vector<QByteArray> screenLines;  // every entry, voided ones marked
    QByteArray progressText;
    int progressPosition = 0;
    QByteArray lastWinner; // the last kept winner's participant line
};
Plan plan(const history_rounds::Round& round, const LevelCounts& counts,
          const extra_prizes::ExtraPrizeList& extras = {});

// Asked at start about the round a restart left: to continue it, or, when
// every winner was drawn, to show it again so it can be saved or exported.
// The questions show a winner as the screen does: the audience may see them.
QString continueQuestion(const history_rounds::Round& round, bool finished,
                         const ScreenPrivacy& privacy = {});
// Told after a settings save that ended a round holding winners.
QString roundEndedBySave(int winners);
QString voidQuestion(const QByteArray& resultsLine, const ScreenPrivacy& privacy = {});

} // namespace round_recovery
