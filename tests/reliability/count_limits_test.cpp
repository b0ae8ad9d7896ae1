// Winner counts at and beyond the 32-bit limits, negative, and summing past
// 32 bits.

#include "reliability_support.h"

namespace {

TEST(CountLimits, TextsBeyondThe32BitRangeFailTheClickBeforeAnythingChanges)
{
    for (const char* text : {"2147483648", "-2147483649", "$100000000", "99999999999999999999"}) {
        DrawHarness draw;
        draw.setParticipants(numbered(12));
        draw.settings.countTexts = {"", "", "", "", "", text};
        EXPECT_EQ(errorOf([&] { draw.click(); }),
                  QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(text)));
        EXPECT_FALSE(draw.surface.running()) << text;
        EXPECT_TRUE(draw.fakes.sound.played.empty()) << text;
        EXPECT_TRUE(draw.surface.notices.empty()) << text;
    }
}

// A total beyond any participant list: the honest "too few participants",
// never a wrapped 32-bit total that would end every click as all drawn.
TEST(CountLimits, TotalsAtOrPastThe32BitLimitAskForMoreParticipants)
{
    const std::array<QByteArray, 6> all = {"2147483647", "2147483647", "2147483647",
                                           "2147483647", "2147483647", "2147483647"};
    for (const std::array<QByteArray, 6>& counts :
         {std::array<QByteArray, 6>{"2147483647", "", "", "", "", ""},
          std::array<QByteArray, 6>{"2147483647", "2147483647", "", "", "", "4"},
          std::array<QByteArray, 6>{"$7FFFFFFF", "1", "", "", "", ""}, all}) {
        DrawHarness draw;
        draw.setParticipants(numbered(12));
        draw.settings.countTexts = counts;
        draw.click();
        ASSERT_EQ(draw.surface.notices.size(), 1u) << counts[0].toStdString();
        EXPECT_EQ(draw.surface.notices[0].text, draw_texts::tooFewParticipants());
        EXPECT_FALSE(draw.surface.running());
    }
}

// A negative count, which the prize page cannot produce but a hand-edited
// file can, draws no winners and adds nothing to the total: the level is
// treated like an empty count instead of absorbing every draw.
TEST(CountLimits, ANegativeCountDrawsNobodyAndLeavesTheOtherLevelsTheirWinners)
{
    DrawHarness draw;
    draw.setParticipants(numbered(12));
    draw.settings.countTexts = {"1", "", "", "2", "", "-1"};
    draw.settings.repeatText = G("是");
    draw.setPickSeconds(1000000008);
    for (int i = 0; i < 3; ++i)
        draw.startAndStop();
    EXPECT_EQ(draw.resultsFile(), G("三等奖：P0\r\n三等奖：P0\r\n特等奖：P0\r\n"));
    EXPECT_EQ(draw.surface.progressText, G("进度：3/3"));
    draw.click();
    EXPECT_EQ(draw.surface.notices.back().text, draw_texts::allDrawn());
}

TEST(CountLimits, OnlyNegativeOrZeroCountsMeanNobodyIsToBeDrawn)
{
    for (const std::array<QByteArray, 6>& counts :
         {std::array<QByteArray, 6>{"-1", "", "", "", "", ""},
          std::array<QByteArray, 6>{"-2147483648", "0", "$FFFFFFFF", "", "", "-$2"}}) {
        DrawHarness draw;
        draw.setParticipants(numbered(12));
        draw.settings.countTexts = counts;
        draw.click();
        ASSERT_EQ(draw.surface.notices.size(), 1u);
        EXPECT_EQ(draw.surface.notices[0].text, draw_texts::totalIsZero());
    }
}

TEST(CountLimits, ANegativeCountDoesNotCancelALargeOne)
{
    DrawHarness draw;
    draw.setParticipants(numbered(12));
    // Summed as they stand these would give 5, drawn from 12 lines.
    draw.settings.countTexts = {"2147483647", "-2147483648", "", "", "", "6"};
    draw.click();
    ASSERT_EQ(draw.surface.notices.size(), 1u);
    EXPECT_EQ(draw.surface.notices[0].text, draw_texts::tooFewParticipants());
}

} // namespace
