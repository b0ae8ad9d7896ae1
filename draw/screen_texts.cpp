#include "draw/screen_texts.h"

#include "base/gbk.h"
#include "draw/draw_clock.h"
#include "draw/level_choice.h"
#include "draw/level_counts.h"

#include <algorithm>
#include <cmath>

namespace screen_texts {

QByteArray progressText(qint64 recorded, qint64 total, qint64 beyond)
{
    if (recorded <= 0 || total <= 0)
        return QByteArray();
    QByteArray text = gbk::text("进度：") + QByteArray::number(recorded - beyond) + '/' +
                      QByteArray::number(total);
    if (beyond > 0)
        text += gbk::text("（另有 ") + QByteArray::number(beyond) + gbk::text(" 名超出奖项人数）");
    return text;
}

int progressBarPosition(qint64 recorded, qint64 total, qint64 beyond)
{
    const qint64 filling = recorded - beyond;
    if (filling <= 0 || total <= 0)
        return 0;
    const double exact = static_cast<double>(filling) * 100.0 / static_cast<double>(total);
    return static_cast<int>(std::nearbyint(std::min(100.0, exact)));
}

QByteArray withExtraPrizes(const QByteArray& levelsText, qint64 extraDrawn, qint64 extraPlaces)
{
    // Nothing drawn yet shows nothing, as for the levels alone.
    if (extraPlaces <= 0 || (levelsText.isEmpty() && extraDrawn == 0))
        return levelsText;
    const QByteArray note =
        gbk::text("加奖 ") + QByteArray::number(extraDrawn) + '/' + QByteArray::number(extraPlaces);
    return levelsText.isEmpty() ? note : levelsText + gbk::text("　") + note;
}

Progress progressOf(const std::vector<QByteArray>& resultsLines, const LevelCounts& counts,
                    const extra_prizes::ExtraPrizeList& extras)
{
    const LevelTally tally = tallyResultsLines(counts.perLevel, resultsLines);
    const auto recorded = static_cast<qint64>(resultsLines.size()) - tally.extraLines;
    const qint64 beyond = tally.beyondCounts();
    const ExtraPrizeTally extraTally = tallyExtraPrizes(extras, resultsLines);
    return {withExtraPrizes(progressText(recorded, counts.total, beyond), extraTally.drawn(),
                            extraTally.places()),
            progressBarPosition(recorded, counts.total, beyond)};
}

QByteArray resultsListLine(const QByteArray& resultsLine, const QDateTime& drawnAt)
{
    return resultsLine + gbk::text(" 时间：") + dateTimeText(drawnAt);
}

} // namespace screen_texts
