#include "storage/results_format.h"
#include "storage/text_line_list.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

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

TEST(ResultsFormat, RecordingRewritesTheFileWithTheNewLineLast)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("retotal.txt", "first\nsecond");
    TextLineList scratch;
    results_format::recordWinner(scratch, "retotal.txt",
                                 results_format::resultsLine(PrizeLevel::Fifth, G("王五")));
    EXPECT_EQ(dir.readFile("retotal.txt"), "first\r\nsecond\r\n" + G("五等奖：王五") + "\r\n");
    EXPECT_EQ(scratch.count(), 3);
}

} // namespace
