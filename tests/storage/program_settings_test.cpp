#include "storage/program_settings.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <gtest/gtest.h>

using namespace program_settings;

namespace {

// One list of keys serves both reading and writing, so a key given to the
// wrong member would read back unnoticed: the file shows where each went.
TEST(ProgramSettings, EachGroupWritesItsKeysInOrderAndReadsThemBack)
{
    ScopedWorkingDirectory dir;
    writeBasic(BasicSettings{"t", "p", "s1", "s2"});
    PrizeSettings prizes;
    prizes.counts = {"c0", "c1", "c2", "c3", "c4", "c5"};
    prizes.prizes = {"p0", "p1", "p2", "p3", "p4", "p5"};
    prizes.repeat = G("是");
    prizes.showPrizes = "x";
    writePrizes(prizes);
    EXPECT_EQ(dir.readFile("rafflixset.ini"),
              G("[基本设置]\r\n抽奖标题=t\r\n标题背景=p\r\n开始音乐=s1\r\n停止音乐=s2\r\n"
                "[奖项设置]\r\n特等奖人数=c0\r\n特等奖奖品=p0\r\n一等奖人数=c1\r\n一等奖奖品=p1\r\n"
                "二等奖人数=c2\r\n二等奖奖品=p2\r\n三等奖人数=c3\r\n三等奖奖品=p3\r\n"
                "四等奖人数=c4\r\n四等奖奖品=p4\r\n五等奖人数=c5\r\n五等奖奖品=p5\r\n"
                "是否重复=是\r\n是否显示奖项=x\r\n"));

    const BasicSettings basic = readBasic();
    EXPECT_EQ(
        (std::vector<QByteArray>{basic.title, basic.picture, basic.startMusic, basic.stopMusic}),
        (std::vector<QByteArray>{"t", "p", "s1", "s2"}));
    const PrizeSettings read = readPrizes();
    EXPECT_EQ(read.counts, prizes.counts);
    EXPECT_EQ(read.prizes, prizes.prizes);
    EXPECT_EQ(readPrizeTexts(), prizes.prizes);
    EXPECT_EQ(read.repeat, prizes.repeat);
    EXPECT_EQ(read.showPrizes, prizes.showPrizes);
}

TEST(BatchSizes, AnUntouchedPageLeavesTheDefaultFileByteForByte)
{
    ScopedWorkingDirectory dir;
    writeDefaultSettingsIfMissing();
    const QByteArray defaults = dir.readFile("rafflixset.ini");
    EXPECT_EQ(readBatchSizes(), (std::array<int, 6>{1, 1, 1, 1, 1, 1}));

    writeChangedBatchSizes({1, 1, 1, 1, 1, 1});
    EXPECT_EQ(dir.readFile("rafflixset.ini"), defaults);

    writeChangedBatchSizes({1, 1, 1, 1, 1, 50});
    const QByteArray changed = dir.readFile("rafflixset.ini");
    EXPECT_TRUE(changed.startsWith(defaults)) << "the section comes after the others";
    EXPECT_EQ(changed.mid(defaults.size()), G("[批量抽奖]\r\n五等奖每次人数=50\r\n"));
    EXPECT_EQ(readBatchSizes()[5], 50);
}

TEST(BatchSizes, UnusableValuesDrawOneAtATime)
{
    for (const char* value : {"", "0", "-3", "abc", "10000", "5x"})
        EXPECT_EQ(parseBatchSize(value), 1) << value;
    EXPECT_EQ(parseBatchSize(" 12 "), 12);
    EXPECT_EQ(parseBatchSize("9999"), 9999);
}

} // namespace
