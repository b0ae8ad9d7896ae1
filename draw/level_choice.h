#pragma once

#include "draw/extra_prize_tally.h"
#include "storage/prize_level.h"

#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

class TextLineList;

// The levels' winner counts against the winners the results file records.
struct LevelTally
{
    std::array<qint32, 6> counts{};   // grand to fifth
    std::array<qint64, 6> recorded{}; // results lines with the level's prefix
    qint64 extraLines = 0;            // lines of extra prizes: they fill none of the total's places

    // A level is drawn while its recorded count differs from its count.
    bool needsWinners(PrizeLevel level) const;
    qint64 openPlaces(PrizeLevel level) const;
    bool hasOpenPlaces() const;
    // Winners beyond their level's count: a round taken back or continued
    // under lower counts keeps them, but they fill no place.
    qint64 beyondCounts() const;
    // The places the whole draw has left when resultsLines lines are
    // recorded: the total less the lines that fill a place.
    qint64 placesLeftInDraw(qint64 total, qint64 resultsLines) const;
};

LevelTally tallyLevels(const std::array<qint32, 6>& counts, const TextLineList& levelPrefixes);
LevelTally tallyResultsLines(const std::array<qint32, 6>& counts,
                             const std::vector<QByteArray>& resultsLines);

// The operator's choice when it still has open places, else the first level
// from the fifth up that needs winners.
std::optional<PrizeLevel> levelForNextStop(const LevelTally& tally,
                                           std::optional<PrizeLevel> chosen);

// Levels with open places, fifth first: what the operator may choose.
std::vector<PrizeLevel> choosableLevels(const LevelTally& tally);

// How many winners one Stop draws for the level: the requested number, never
// more than the level's open places, the places left in the whole draw or the
// candidates, and at least one.
int winnersThisStop(const LevelTally& tally, PrizeLevel level, int requested,
                    qint64 placesLeftInDraw, qint64 candidates);

struct DrawSettings;

// The draw as the files hold it now, for the operator's menu and the screen
// while the names roll: the counts as set (an unusable count text counts 0)
// against the results file (missing: no winners yet).
struct FilesTally
{
    LevelTally levels;
    qint64 placesLeftInDraw = 0; // the total less every results line that fills a place
    ExtraPrizeTally extras;
};
FilesTally tallyFromFiles(const DrawSettings& settings);
