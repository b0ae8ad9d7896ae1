#pragma once

#include <QByteArray>
#include <QDateTime>

// What the window shows of the recorded winners: the progress line and bar,
// and a winner's line in the results list. A Stop and a restored round show
// them alike.
namespace screen_texts {

// "进度：R/total"; no text when R or the total is 0.
QByteArray progressText(qint64 recorded, qint64 total);
// R × 100 / total, rounded half to even; 0 when R or the total is 0. A round
// restored under lower counts holds more than they ask for: at most 100.
int progressBarPosition(qint64 recorded, qint64 total);
// The results line (label and participant line), then the time it was drawn.
QByteArray resultsListLine(const QByteArray& resultsLine, const QDateTime& drawnAt);

} // namespace screen_texts
