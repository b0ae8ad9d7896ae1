#include "draw/screen_texts.h"

#include "base/gbk.h"
#include "draw/draw_clock.h"

#include <algorithm>
#include <cmath>

namespace screen_texts {

QByteArray progressText(qint64 recorded, qint64 total)
{
    if (recorded <= 0 || total <= 0)
        return QByteArray();
    return gbk::text("进度：") + QByteArray::number(recorded) + '/' + QByteArray::number(total);
}

int progressBarPosition(qint64 recorded, qint64 total)
{
    if (recorded <= 0 || total <= 0)
        return 0;
    const double exact = static_cast<double>(recorded) * 100.0 / static_cast<double>(total);
    return static_cast<int>(std::nearbyint(std::min(100.0, exact)));
}

QByteArray resultsListLine(const QByteArray& resultsLine, const QDateTime& drawnAt)
{
    return resultsLine + gbk::text(" 时间：") + dateTimeText(drawnAt);
}

} // namespace screen_texts
