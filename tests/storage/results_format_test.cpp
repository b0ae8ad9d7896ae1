#include "storage/results_format.h"
#include "support/gbk_literals.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultsFormat, LabelsArePrefixAndFullWidthColon)
{
    EXPECT_EQ(levelLabel(PrizeLevel::Fifth).toHex(), "cee5b5c8bdb1a3ba");
    EXPECT_EQ(levelLabel(PrizeLevel::Grand).toHex(), "ccd8b5c8bdb1a3ba");
    EXPECT_EQ(levelName(PrizeLevel::Third).size(), 6);
}

TEST(ResultsFormat, PrefixAndWinnerTextsComeFromByteOffsets)
{
    const QByteArray line = G("三等奖：  张三 \t");
    EXPECT_EQ(results_format::levelPrefix(line), G("三等奖"));
    EXPECT_EQ(results_format::recordedWinner(line), G("  张三 \t"));
    EXPECT_EQ(results_format::strippedWinner(line), G("张三"));
    EXPECT_EQ(results_format::levelPrefix("abc"), "abc");
    EXPECT_EQ(results_format::strippedWinner(G("三等奖：")), QByteArray());
    EXPECT_EQ(results_format::strippedWinner("12345678\x01x\x7f\x20"), "x\x7f");
}

} // namespace
