#include "storage/draw_history.h"
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

} // namespace
