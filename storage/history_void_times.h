#pragma once

#include <QByteArray>
#include <QDateTime>
#include <vector>

// When the voided winners of the draw history were voided, for the winners
// export: each voided winner's results line, when it was drawn and when it
// was voided, in the order of the voids. The history's winner, void and
// withdrawn lines are replayed as its rounds are read (a void voids the
// last winner of that line not voided yet, a withdrawal takes it out);
// the lines are read by the history's own reader.
namespace history_void_times {

struct Voided
{
    QByteArray resultsLine; // GBK: level label and participant line
    QDateTime drawnAt;
    QDateTime voidedAt;
};

std::vector<Voided> voided(const QByteArray& history);

} // namespace history_void_times
