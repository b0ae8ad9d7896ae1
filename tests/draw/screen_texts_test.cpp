#include "draw/screen_texts.h"
#include "support/gbk_literals.h"

#include <gtest/gtest.h>

namespace {

using namespace screen_texts;

TEST(ScreenTexts, ProgressRoundsHalfToEven)
{
    EXPECT_EQ(progressBarPosition(1, 3), 33);
    EXPECT_EQ(progressBarPosition(2, 3), 67);
    EXPECT_EQ(progressBarPosition(3, 3), 100);
    const int expected[] = {12, 25, 38, 50, 62, 75, 88, 100};
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(progressBarPosition(r + 1, 8), expected[r]) << r;
}

TEST(ScreenTexts, NoWinnersShowNoProgressAndMoreThanTheTotalFillTheBar)
{
    EXPECT_EQ(progressText(3, 10), G("进度：3/10"));
    EXPECT_EQ(progressText(12, 10), G("进度：12/10"));
    for (const auto& [recorded, total] : {std::pair<qint64, qint64>{0, 10}, {3, 0}}) {
        EXPECT_TRUE(progressText(recorded, total).isEmpty()) << recorded << "/" << total;
        EXPECT_EQ(progressBarPosition(recorded, total), 0) << recorded << "/" << total;
    }
    EXPECT_EQ(progressBarPosition(12, 10), 100);
    EXPECT_EQ(progressBarPosition(qint64(1) << 40, 1), 100);
}

} // namespace
