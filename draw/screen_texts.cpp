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

Progress progressOf(const std::vector<QByteArray>& resultsLines, const LevelCounts& counts)
{
    const auto recorded = static_cast<qint64>(resultsLines.size());
    const qint64 beyond = tallyResultsLines(counts.perLevel, resultsLines).beyondCounts();
    return {progressText(recorded, counts.total, beyond),
            progressBarPosition(recorded, counts.total, beyond)};
}

QByteArray resultsListLine(const QByteArray& resultsLine, const QDateTime& drawnAt)
{
    return resultsLine + gbk::text(" 时间：") + dateTimeText(drawnAt);
}

} // namespace screen_texts
