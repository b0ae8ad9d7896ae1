#include "base/app_error.h"
#include "draw/draw_context.h"
#include "draw/level_counts.h"

#include <gtest/gtest.h>

namespace {

using PerLevel = std::array<qint32, 6>;

TEST(LevelCounts, NegativeIsNobodyTheSumHas64BitsAndOnlyTheLenientFormTakesANonNumber)
{
    DrawSettings settings;
    settings.countTexts = {"2147483647", "-5", "$FFFFFFFF", "2147483647", "3", ""};
    for (const LevelCounts& counts : {levelCounts(settings), levelCountsOrZero(settings)}) {
        EXPECT_EQ(counts.perLevel, (PerLevel{2147483647, 0, 0, 2147483647, 3, 0}));
        EXPECT_EQ(counts.total, 2 * qint64(2147483647) + 3);
    }

    settings.countTexts = {"2", "4 ", "x", "1", "", ""};
    EXPECT_EQ(levelCountsOrZero(settings).perLevel, (PerLevel{2, 0, 0, 1, 0, 0}));
    EXPECT_EQ(levelCountsOrZero(settings).total, 3);
    try {
        levelCounts(settings);
        ADD_FAILURE() << "accepted a count that is no number";
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("'4 ' is not a valid integer value"))
            << "the first one, grand first";
    }
}

} // namespace
