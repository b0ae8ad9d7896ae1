#include "storage/draw_history.h"
#include "storage/history_journal.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <gtest/gtest.h>

namespace {

const char kHistory[] = "rafflixhistory.txt";

TEST(DrawHistoryFile, AppendsWholeLinesAndStartsAfterAPartialOne)
{
    ScopedWorkingDirectory dir;
    const QString path = dir.filePath(kHistory);
    EXPECT_TRUE(draw_history::appendLine(path, "a"));
    EXPECT_TRUE(draw_history::appendLine(path, G("二等奖：张三 110")));
    EXPECT_EQ(dir.readFile(kHistory), "a\r\n" + G("二等奖：张三 110") + "\r\n");

    // What a crash in the middle of a write could leave: the cut line stays
    // as it is, and the next one starts on a line of its own.
    dir.writeFile(kHistory, "a\r\n2011-01-30 14:3");
    EXPECT_TRUE(draw_history::appendLine(path, "b"));
    EXPECT_EQ(dir.readFile(kHistory), "a\r\n2011-01-30 14:3\r\nb\r\n");
    dir.writeFile(kHistory, "x");
    EXPECT_TRUE(draw_history::appendLine(path, "b"));
    EXPECT_EQ(dir.readFile(kHistory), "x\r\nb\r\n");
}

TEST(DrawHistoryFile, RefusesWhatItCannotAppendTo)
{
    ScopedWorkingDirectory dir;
    dir.writeFile(kHistory, "kept\r\n");
    dir.makeReadOnly(kHistory);
    EXPECT_FALSE(draw_history::appendLine(dir.filePath(kHistory), "b"));
    EXPECT_EQ(dir.readFile(kHistory), "kept\r\n");
    EXPECT_FALSE(draw_history::appendLine(dir.filePath("missing/history.txt"), "b"));
}

// Every kind of line the history holds, byte for byte: histories written by
// earlier versions must go on reading the same.
TEST(DrawHistoryFile, EachKindOfLineKeepsItsBytes)
{
    using namespace history_journal;
    const QDateTime at(QDate(2011, 1, 5), QTime(4, 3, 2));
    const QByteArray winner = G("三等奖：张三 3301");
    const struct
    {
        QByteArray written;
        const char* expected;
    } cases[] = {
        {draw_history::winnerLine(at, winner), "2011-01-05 04:03:02\t三等奖：张三 3301"},
        {voidLine(at, winner), "2011-01-05 04:03:02\t作废\t三等奖：张三 3301"},
        {withdrawnLine(at, winner), "2011-01-05 04:03:02\t撤回\t三等奖：张三 3301"},
        {separatorLine(at, RoundStart::ProgramStart), "==== 2011-01-05 04:03:02 程序启动 ===="},
        {separatorLine(at, RoundStart::Initialize), "==== 2011-01-05 04:03:02 初始化 ===="},
        {separatorLine(at, RoundStart::SettingsSave), "==== 2011-01-05 04:03:02 设置保存 ===="},
        {separatorLine(at, RoundStart::NewRound), "==== 2011-01-05 04:03:02 新一轮 ===="},
        {resumeLine(at, Resume::AfterRestart), "==== 2011-01-05 04:03:02 继续上一轮 ===="},
        {resumeLine(at, Resume::AfterReset), "==== 2011-01-05 04:03:02 恢复上一轮 ===="},
        {cutLineMarker(at), "==== 2011-01-05 04:03:02 上一行不完整 ===="},
    };
    for (const auto& line : cases)
        EXPECT_EQ(line.written, G(line.expected));
}

} // namespace
