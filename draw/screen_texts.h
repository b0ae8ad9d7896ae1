#pragma once

#include <QByteArray>
#include <QDateTime>
#include <vector>

#include "storage/extra_prizes.h"

struct LevelCounts;

// What the window shows of the recorded winners: the progress line and bar,
// and a winner's line in the results list. A Stop and a restored round show
// them alike.
namespace screen_texts {

// "进度：R/total"; no text when R or the total is 0. Of the R recorded
// winners, beyond are past their level's count (a round taken back under
// lower counts): they fill no place, so the text counts R − beyond and adds
// "（另有 N 名超出奖项人数）".
QByteArray progressText(qint64 recorded, qint64 total, qint64 beyond = 0);
// (R − beyond) × 100 / total, rounded half to even; 0 when that or the total
// is 0; at most 100.
int progressBarPosition(qint64 recorded, qint64 total, qint64 beyond = 0);

// The levels' text with the extra prizes' own progress beside it,
// "进度：5/10　加奖 3/10"; the text alone while no extra prize is listed, no
// text while nothing is drawn.
QByteArray withExtraPrizes(const QByteArray& levelsText, qint64 extraDrawn, qint64 extraPlaces);

struct Progress
{
    QByteArray text;
    int position = 0;
};
// The progress of a results file's lines under the counts; the lines of
// extra prizes count only toward the extra prizes' note.
Progress progressOf(const std::vector<QByteArray>& resultsLines, const LevelCounts& counts,
                    const extra_prizes::ExtraPrizeList& extras = {});
// The results line (label and participant line), then the time it was drawn.
QByteArray resultsListLine(const QByteArray& resultsLine, const QDateTime& drawnAt);

} // namespace screen_texts
