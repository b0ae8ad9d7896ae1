#include "draw/level_choice.h"

#include "base/app_error.h"
#include "base/working_files.h"
#include "draw/level_counts.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"

#include <algorithm>

namespace {
size_t slot(PrizeLevel level)
{
    return static_cast<size_t>(levelIndex(level));
}
} // namespace

bool LevelTally::needsWinners(PrizeLevel level) const
{
    const qint32 count = counts[slot(level)];
    return count != 0 && recorded[slot(level)] != count;
}

qint64 LevelTally::openPlaces(PrizeLevel level) const
{
    return std::max<qint64>(0, counts[slot(level)] - recorded[slot(level)]);
}

bool LevelTally::hasOpenPlaces() const
{
    for (PrizeLevel level : kAllPrizeLevels) {
        if (openPlaces(level) > 0)
            return true;
    }
    return false;
}

qint64 LevelTally::beyondCounts() const
{
    qint64 beyond = 0;
    for (size_t i = 0; i < counts.size(); ++i)
        beyond += std::max<qint64>(0, recorded[i] - std::max<qint32>(0, counts[i]));
    return beyond;
}

qint64 LevelTally::placesLeftInDraw(qint64 total, qint64 resultsLines) const
{
    return total - (resultsLines - extraLines - beyondCounts());
}

LevelTally tallyResultsLines(const std::array<qint32, 6>& counts,
                             const std::vector<QByteArray>& resultsLines)
{
    TextLineList prefixes;
    for (const QByteArray& line : resultsLines)
        prefixes.add(results_format::levelPrefix(line));
    LevelTally tally = tallyLevels(counts, prefixes);
    tally.extraLines = tallyExtraPrizes({}, resultsLines).lines;
    return tally;
}

LevelTally tallyLevels(const std::array<qint32, 6>& counts, const TextLineList& levelPrefixes)
{
    LevelTally tally;
    tally.counts = counts;
    std::array<QByteArray, 6> names;
    for (PrizeLevel level : kAllPrizeLevels)
        names[slot(level)] = levelName(level);
    for (int line = 0; line < levelPrefixes.count(); ++line) {
        const QByteArrayView prefix = levelPrefixes.view(line);
        for (size_t i = 0; i < names.size(); ++i) {
            if (prefix == names[i]) {
                ++tally.recorded[i];
                break;
            }
        }
    }
    return tally;
}

std::optional<PrizeLevel> levelForNextStop(const LevelTally& tally,
                                           std::optional<PrizeLevel> chosen)
{
    if (chosen && tally.openPlaces(*chosen) > 0)
        return chosen;
    // A level holding more winners than its count (counts lowered under a
    // restored round, or a hand-edited file) must not take another one
    // while a level with open places waits: that level would end with
    // nobody.
    for (PrizeLevel level : kDrawingOrder) {
        if (tally.openPlaces(level) > 0)
            return level;
    }
    for (PrizeLevel level : kDrawingOrder) {
        if (tally.needsWinners(level))
            return level;
    }
    return std::nullopt;
}

std::vector<PrizeLevel> choosableLevels(const LevelTally& tally)
{
    std::vector<PrizeLevel> levels;
    for (PrizeLevel level : kDrawingOrder) {
        if (tally.openPlaces(level) > 0)
            levels.push_back(level);
    }
    return levels;
}

int winnersThisStop(const LevelTally& tally, PrizeLevel level, int requested,
                    qint64 placesLeftInDraw, qint64 candidates)
{
    qint64 winners = std::max(1, requested);
    // A hand-edited file can hold more lines of a level than its count: that
    // level is drawn again, one at a time, as before.
    const qint64 open = tally.openPlaces(level);
    if (open > 0)
        winners = std::min(winners, open);
    else
        winners = 1;
    winners = std::min(winners, std::max<qint64>(1, placesLeftInDraw));
    winners = std::min(winners, std::max<qint64>(1, candidates));
    return static_cast<int>(winners);
}

FilesTally tallyFromFiles(const DrawSettings& settings)
{
    TextLineList results;
    try {
        results.load(QLatin1String(working_files::kResults));
    } catch (const AppError&) {
    }
    const LevelCounts counts = levelCountsOrZero(settings);
    const LevelTally tally = tallyResultsLines(counts.perLevel, results.copyLines());
    return FilesTally{tally, tally.placesLeftInDraw(counts.total, results.count()),
                      tallyExtraPrizes(extra_prizes::read(), results)};
}
