#include "storage/draw_history.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <gtest/gtest.h>

using namespace draw_history;

namespace {

const char kHistory[] = "rafflixhistory.txt";

TEST(DrawHistoryFile, AppendsWholeLinesAndStartsAfterAPartialOne)
{
    ScopedWorkingDirectory dir;
    const QString path = dir.filePath(kHistory);
    EXPECT_TRUE(appendLine(path, "a"));
    EXPECT_TRUE(appendLine(path, G("二等奖：张三 110")));
    EXPECT_EQ(dir.readFile(kHistory), "a\r\n" + G("二等奖：张三 110") + "\r\n");

    // What a crash in the middle of a write could leave: the cut line stays
    // as it is, and the next one starts on a line of its own.
    dir.writeFile(kHistory, "a\r\n2011-01-30 14:3");
    EXPECT_TRUE(appendLine(path, "b"));
    EXPECT_EQ(dir.readFile(kHistory), "a\r\n2011-01-30 14:3\r\nb\r\n");
    dir.writeFile(kHistory, "x");
    EXPECT_TRUE(appendLine(path, "b"));
    EXPECT_EQ(dir.readFile(kHistory), "x\r\nb\r\n");
}

TEST(DrawHistoryFile, RefusesWhatItCannotAppendTo)
{
    ScopedWorkingDirectory dir;
    dir.writeFile(kHistory, "kept\r\n");
    dir.makeReadOnly(kHistory);
    EXPECT_FALSE(appendLine(dir.filePath(kHistory), "b"));
    EXPECT_EQ(dir.readFile(kHistory), "kept\r\n");
    EXPECT_FALSE(appendLine(dir.filePath("missing/history.txt"), "b"));
}

// Every kind of line the history holds, byte for byte, and what reading it
// back gives: histories written by earlier versions must go on reading the same.
TEST(DrawHistoryFile, EachKindOfLineKeepsItsBytesAndReadsBackAsWritten)
{
    using Kind = HistoryLine::Kind;
    const QDateTime at(QDate(2011, 1, 5), QTime(4, 3, 2));
    const QByteArray winner = G("三等奖：张三 3301");
    const RoundStart none = RoundStart::HistoryBegins;
    const Resume restart = Resume::AfterRestart;
    const struct
    {
        QByteArray written;
        const char* expected;
        Kind kind;
        RoundStart start;
        Resume resume;
    } cases[] = {
        {winnerLine(at, winner), "2011-01-05 04:03:02\t三等奖：张三 3301", Kind::Winner, none,
         restart},
        {voidLine(at, winner), "2011-01-05 04:03:02\t作废\t三等奖：张三 3301", Kind::Voided, none,
         restart},
        {withdrawnLine(at, winner), "2011-01-05 04:03:02\t撤回\t三等奖：张三 3301", Kind::Withdrawn,
         none, restart},
        {separatorLine(at, RoundStart::ProgramStart), "==== 2011-01-05 04:03:02 程序启动 ====",
         Kind::RoundStarted, RoundStart::ProgramStart, restart},
        {separatorLine(at, RoundStart::Initialize), "==== 2011-01-05 04:03:02 初始化 ====",
         Kind::RoundStarted, RoundStart::Initialize, restart},
        {separatorLine(at, RoundStart::SettingsSave), "==== 2011-01-05 04:03:02 设置保存 ====",
         Kind::RoundStarted, RoundStart::SettingsSave, restart},
        {separatorLine(at, RoundStart::NewRound),
         "==== 2011-01-05 04:03:02 新一轮 ====", Kind::RoundStarted, RoundStart::NewRound, restart},
        {resumeLine(at, Resume::AfterRestart),
         "==== 2011-01-05 04:03:02 继续上一轮 ====", Kind::Resumed, none, Resume::AfterRestart},
        {resumeLine(at, Resume::AfterReset),
         "==== 2011-01-05 04:03:02 恢复上一轮 ====", Kind::Resumed, none, Resume::AfterReset},
        // Says only that the line before it is not to be read.
        {cutLineMarker(at), "==== 2011-01-05 04:03:02 上一行不完整 ====", Kind::Unknown, none,
         restart},
    };
    for (const auto& line : cases) {
        EXPECT_EQ(line.written, G(line.expected));
        EXPECT_EQ(isCutLineMarker(line.written), line.written == cases[9].written) << line.expected;
        const HistoryLine read = readLine(line.written);
        EXPECT_EQ(read.kind, line.kind) << line.expected;
        if (read.kind == Kind::Unknown)
            continue;
        EXPECT_EQ(QDateTime(read.date, read.time), at) << line.expected;
        const bool timed = read.kind != Kind::RoundStarted && read.kind != Kind::Resumed;
        EXPECT_EQ(read.resultsLine, timed ? winner : QByteArray()) << line.expected;
        EXPECT_EQ(read.start, line.start) << line.expected;
        EXPECT_EQ(read.resume, line.resume) << line.expected;
    }
}

} // namespace
