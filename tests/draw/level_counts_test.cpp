#include "base/app_error.h"
#include "draw/draw_context.h"
#include "draw/level_counts.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::array<QByteArray, 6>;
using PerLevel = std::array<qint32, 6>;

TEST(LevelCounts, StrictAndLenientAgreeOnNumbersAndDifferOnlyOnTextsThatAreNone)
{
    struct Case
    {
        const char* name;
        Texts texts;
        PerLevel perLevel; // lenient; strict too unless it throws
        qint64 total;
        QString strictError; // empty: strict gives the same counts
    };
    const qint64 max = 2147483647;
    const std::vector<Case> cases = {
        {"plain and empty", {"1", "2", "3", "4", "", ""}, {1, 2, 3, 4, 0, 0}, 10, {}},
        {"sum past 32 bits",
         {"2147483647", "2147483647", "2147483647", "2147483647", "2147483647", "$7FFFFFFF"},
         {2147483647, 2147483647, 2147483647, 2147483647, 2147483647, 2147483647},
         6 * max,
         {}},
        {"negative counts nobody",
         {"-5", "$FFFFFFFF", "3", "-2147483648", "", ""},
         {0, 0, 3, 0, 0, 0},
         3,
         {}},
        {"first text that is no number",
         {"2", "4 ", "x", "1", "", ""},
         {2, 0, 0, 1, 0, 0},
         3,
         QStringLiteral("'4 ' is not a valid integer value")},
    };
    for (const Case& c : cases) {
        DrawSettings settings;
        settings.countTexts = c.texts;
        const LevelCounts lenient = levelCountsOrZero(settings);
        EXPECT_EQ(lenient.perLevel, c.perLevel) << c.name;
        EXPECT_EQ(lenient.total, c.total) << c.name;
        if (c.strictError.isEmpty()) {
            const LevelCounts strict = levelCounts(settings);
            EXPECT_EQ(strict.perLevel, c.perLevel) << c.name;
            EXPECT_EQ(strict.total, c.total) << c.name;
            continue;
        }
        try {
            levelCounts(settings);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const AppError& error) {
            EXPECT_EQ(error.message(), c.strictError) << c.name;
        }
    }
}

} // namespace
