#include "draw/extra_prize_tally.h"

#include "storage/results_format.h"
#include "storage/text_line_list.h"

#include <algorithm>

using extra_prizes::ExtraPrize;

namespace {

void countLine(ExtraPrizeTally& tally, const QByteArray& line)
{
    const QByteArray name = results_format::extraPrizeName(line);
    if (name.isEmpty())
        return;
    ++tally.lines;
    const int at = extra_prizes::find(tally.prizes, name);
    if (at >= 0)
        ++tally.recorded[static_cast<size_t>(at)];
}

ExtraPrizeTally emptyTally(const extra_prizes::ExtraPrizeList& prizes)
{
    ExtraPrizeTally tally;
    tally.prizes = prizes;
    tally.recorded.assign(prizes.size(), 0);
    return tally;
}

} // namespace

qint64 ExtraPrizeTally::openPlaces(const QByteArray& name) const
{
    const int at = extra_prizes::find(prizes, name);
    if (at < 0)
        return 0;
    return std::max<qint64>(0, prizes[static_cast<size_t>(at)].count -
                                   recorded[static_cast<size_t>(at)]);
}

qint64 ExtraPrizeTally::drawn() const
{
    qint64 sum = 0;
    for (size_t i = 0; i < prizes.size(); ++i)
        sum += std::min<qint64>(recorded[i], prizes[i].count);
    return sum;
}

qint64 ExtraPrizeTally::places() const
{
    qint64 sum = 0;
    for (const ExtraPrize& prize : prizes)
        sum += prize.count;
    return sum;
}

ExtraPrizeTally tallyExtraPrizes(const extra_prizes::ExtraPrizeList& prizes,
                                 const TextLineList& resultsLines)
{
    ExtraPrizeTally tally = emptyTally(prizes);
    for (int i = 0; i < resultsLines.count(); ++i)
        countLine(tally, resultsLines.get(i));
    return tally;
}

ExtraPrizeTally tallyExtraPrizes(const extra_prizes::ExtraPrizeList& prizes,
                                 const std::vector<QByteArray>& resultsLines)
{
    ExtraPrizeTally tally = emptyTally(prizes);
    for (const QByteArray& line : resultsLines)
        countLine(tally, line);
    return tally;
}

int extraWinnersThisStop(const ExtraPrizeTally& tally, const QByteArray& name, qint64 candidates)
{
    const int at = extra_prizes::find(tally.prizes, name);
    qint64 winners = at < 0 ? 1 : tally.prizes[static_cast<size_t>(at)].batch;
    winners = std::min(winners, std::max<qint64>(1, tally.openPlaces(name)));
    winners = std::min(winners, std::max<qint64>(1, candidates));
    return static_cast<int>(winners);
}
