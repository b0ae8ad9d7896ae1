#pragma once

#include "storage/prize_level.h"

#include <QByteArray>
#include <vector>

// What the screen says about the draw: the level being drawn, how many this
// Stop draws, the places left, and the winners of the last Stop.
struct DrawStatus
{
    enum class Phase { Idle, Rolling, Drawn, Complete };
    Phase phase = Phase::Idle;
    PrizeLevel level = PrizeLevel::Fifth;
    QByteArray extraPrize; // the extra prize's name instead of the level; empty: the level
    QByteArray extraPrizeText;
    int batch = 0;
    qint64 placesLeft = 0;
    QByteArray rules; // GBK: the rules of the level rolling, in a few words; empty: none
    std::vector<QByteArray> winners; // participant lines, in drawing order
};
