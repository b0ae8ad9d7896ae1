#pragma once

#include "storage/prize_level.h"

#include <QByteArray>
#include <array>
#include <optional>

// The operator's options of the draw. With nothing set every Stop draws one
// winner for the lowest open level.
struct DrawOptions
{
    std::array<int, 6> batchSizes{1, 1, 1, 1, 1, 1}; // grand to fifth
    std::array<QByteArray, 6> prizeTexts;            // for the screen only
    std::optional<PrizeLevel> chosenLevel;           // the next Stop only
    QByteArray chosenExtraPrize;                     // its name, the next Stop only; empty: none
};

// The batch sizes and prize texts from the settings file; a chosen level
// stays as it is.
void loadDrawOptions(DrawOptions& options);
