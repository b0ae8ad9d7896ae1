#pragma once

#include "storage/prize_level.h"

#include <QByteArray>
#include <array>
#include <optional>
#include <vector>

// What the screen says about the draw: the level being drawn, how many this
// Stop draws, the places left, and the winners of the last Stop.
struct DrawStatus
{
    enum class Phase { Idle, Rolling, Drawn, Complete };
    Phase phase = Phase::Idle;
    PrizeLevel level = PrizeLevel::Fifth;
    int batch = 0;
    qint64 placesLeft = 0;
    std::vector<QByteArray> winners; // participant lines, in drawing order
};

// Additions to the plain draw. With nothing set every Stop draws one winner
// for the lowest open level.
struct DrawExtras
{
    std::array<int, 6> batchSizes{1, 1, 1, 1, 1, 1}; // grand to fifth
    std::array<QByteArray, 6> prizeTexts;            // for the screen only
    std::optional<PrizeLevel> chosenLevel;           // the next Stop only
    DrawStatus status;
};

// The batch sizes and prize texts from the settings file.
void loadDrawExtras(DrawExtras& extras);
