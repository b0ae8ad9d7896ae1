#pragma once

#include "storage/extra_prizes.h"

#include <QByteArray>
#include <QtGlobal>
#include <vector>

class TextLineList;

// The extra prizes against the results lines that carry their names. The six
// levels' tally passes these lines over: they fill none of the total's
// places and are no "line of no level".
struct ExtraPrizeTally
{
    extra_prizes::ExtraPrizeList prizes;
    std::vector<qint64> recorded; // per prize, in list order
    qint64 lines = 0;             // every extra-prize line, a removed prize's included

    qint64 openPlaces(const QByteArray& name) const; // 0 for a name not listed
    qint64 drawn() const;                            // winners that fill a listed prize's place
    qint64 places() const;                           // the listed prizes' counts together
};

ExtraPrizeTally tallyExtraPrizes(const extra_prizes::ExtraPrizeList& prizes,
                                 const TextLineList& resultsLines);
ExtraPrizeTally tallyExtraPrizes(const extra_prizes::ExtraPrizeList& prizes,
                                 const std::vector<QByteArray>& resultsLines);

// How many an extra prize's Stop draws: its batch, never more than its open
// places or the candidates, at least one.
int extraWinnersThisStop(const ExtraPrizeTally& tally, const QByteArray& name, qint64 candidates);
