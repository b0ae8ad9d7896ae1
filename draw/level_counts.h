#pragma once

#include <QtGlobal>
#include <array>

struct DrawSettings;

// The winner counts of the six levels as the draw uses them, and their sum.
struct LevelCounts
{
    std::array<qint32, 6> perLevel{}; // grand to fifth
    qint64 total = 0;
};

// Throws the parse error of the first count text, grand first, that is not a
// number.
LevelCounts levelCounts(const DrawSettings& settings);
// A count text that is not a number counts 0: for what must show whatever
// the settings hold, such as the operator's menu.
LevelCounts levelCountsOrZero(const DrawSettings& settings);
