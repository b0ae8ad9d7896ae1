#include "base/line_splitting.h"
#include "storage/draw_history.h"
#include "ui/main_window/main_window_fixture.h"

#include <QDir>
#include <QFile>
#include <vector>

namespace {

const char kHistory[] = "rafflixhistory.txt";

QByteArray startLine(const char* time)
{
    return "==== " + QByteArray(time) + ' ' + G("程序启动") + " ====";
}

QByteArray initializeLine(const char* time)
{
    return "==== " + QByteArray(time) + ' ' + G("初始化") + " ====";
}

// The history's complete lines: each must end in CR LF, nothing may follow.
std::vector<QByteArray> historyLines(const ScopedWorkingDirectory& dir)
{
    const QByteArray bytes = dir.readFile(kHistory);
    EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n")) << "history ends in a partial line";
    std::vector<QByteArray> lines;
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.isEmpty())
            continue;
        EXPECT_TRUE(line.endsWith('\r')) << "a line without CR LF";
        lines.push_back(line.chopped(1));
    }
    return lines;
}

class DrawHistoryTest : public MainWindowTest
{
  protected:
    QByteArray winnerLine(const QByteArray& resultsLine)
    {
        return draw_history::winnerLine(fakes.clock.time, resultsLine);
    }
    // With the history unwritable the draw goes on as if there were none,
    // silently.
    void drawThreeAndExpectTheResultsIntact()
    {
        writeParticipants(12);
        for (int i = 0; i < 3; ++i)
            drawOne();
        EXPECT_TRUE(fakes.boxes.shown.empty());
        const std::vector<QByteArray> lines = results();
        ASSERT_EQ(lines.size(), 3u);
        for (const QByteArray& line : lines)
            EXPECT_TRUE(line.startsWith(G("三等奖：员工")));
        EXPECT_EQ(control<QLabel>("lbl3")->text(), QStringLiteral("进度：3/10"));
        EXPECT_EQ(control<QPlainTextEdit>("mmo1")->document()->blockCount(), 4);
    }
};

TEST_F(DrawHistoryTest, EveryWinnerIsAppendedWithItsTimeAfterTheStartSeparator)
{
    writeParticipants(12);
    window();
    drawOne();
    const QByteArray first = winnerLine(results().at(0));
    drawOne();
    ASSERT_EQ(results().size(), 2u);

    const std::vector<QByteArray> expected = {startLine("2011-01-30 14:30:05"), first,
                                              winnerLine(results().at(1))};
    EXPECT_EQ(historyLines(dir), expected);
    EXPECT_EQ(first.left(20), "2011-01-30 14:30:06\t");
    EXPECT_TRUE(first.mid(20).startsWith(G("三等奖：员工")));
    // A Start alone records nothing.
    button("btn3")->click();
    EXPECT_EQ(historyLines(dir).size(), 3u);
}

TEST_F(DrawHistoryTest, RestartInitializeAndSettingsReloadOnlyEverAppend)
{
    writeParticipants(12);
    window();
    drawOne();
    drawOne();
    const std::vector<QByteArray> firstSession = historyLines(dir);
    ASSERT_EQ(firstSession.size(), 3u);

    // A settings save reloads the window and empties the results file; it
    // marks the end of the round that held the two winners.
    window().loadMainWindowState();
    EXPECT_TRUE(results().empty());
    std::vector<QByteArray> expected = firstSession;
    expected.push_back("==== 2011-01-30 14:30:07 " + G("设置保存") + " ====");
    EXPECT_EQ(historyLines(dir), expected);
    // A second save, with no winner since, has nothing to end.
    window().loadMainWindowState();
    EXPECT_EQ(historyLines(dir), expected);

    // A restart in the same folder.
    window_.reset();
    fakes.clock.time = QDateTime(QDate(2011, 1, 30), QTime(15, 0, 0));
    window();
    EXPECT_TRUE(results().empty());
    drawOne();

    fakes.clock.time = QDateTime(QDate(2011, 1, 30), QTime(16, 0, 0));
    button("btn2")->click();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    drawOne();

    expected.push_back(startLine("2011-01-30 15:00:00"));
    expected.push_back(G("2011-01-30 15:00:01\t三等奖：") + window().currentWinner());
    expected.push_back(initializeLine("2011-01-30 16:00:00"));
    expected.push_back(winnerLine(results().at(0)));
    EXPECT_EQ(historyLines(dir), expected);
}

TEST_F(DrawHistoryTest, InitializeThatFailsAddsNoSeparator)
{
    window();
    button("btn2")->click(); // no participant file: the warning, nothing reset
    EXPECT_EQ(historyLines(dir), std::vector<QByteArray>{startLine("2011-01-30 14:30:05")});
}

TEST_F(DrawHistoryTest, ReadOnlyHistoryNeverStopsTheDraw)
{
    dir.writeFile(kHistory, "kept\r\n");
    dir.makeReadOnly(kHistory);
    window();
    drawThreeAndExpectTheResultsIntact();
    button("btn2")->click();
    EXPECT_EQ(fakes.boxes.shown.size(), 1u); // the Initialize notice only
    EXPECT_EQ(dir.readFile(kHistory), "kept\r\n");
}

TEST_F(DrawHistoryTest, DirectoryInPlaceOfTheHistoryNeverStopsTheDraw)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QLatin1String(kHistory)));
    window();
    drawThreeAndExpectTheResultsIntact();
    EXPECT_TRUE(QFileInfo(dir.filePath(kHistory)).isDir());
}

} // namespace
