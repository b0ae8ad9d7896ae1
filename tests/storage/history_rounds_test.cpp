#include "storage/history_rounds.h"
#include "support/gbk_literals.h"

#include <gtest/gtest.h>

using namespace draw_history;
using namespace history_rounds;

namespace {

const QDateTime kAt(QDate(2026, 12, 8), QTime(21, 5, 9));

QByteArray lines(std::initializer_list<const char*> utf8)
{
    QByteArray bytes;
    for (const char* line : utf8)
        bytes += G(line) + "\r\n";
    return bytes;
}

std::vector<QByteArray> resultsLines(const Round* round)
{
    std::vector<QByteArray> found;
    for (const RoundEntry& entry : round ? round->entries : std::vector<RoundEntry>())
        found.push_back(entry.resultsLine + (entry.voided ? G("/作废") : QByteArray()));
    return found;
}

const QByteArray kOldHistory = lines({
    "2026-12-08 08:59:00\t五等奖：早到的 1",
    "==== 2026-12-08 09:00:00 程序启动 ====",
    "2026-12-08 09:05:12\t三等奖：张三 3301",
    "a note the operator typed",
    "==== 2026-12-08 09:05:13 something else ====",
    "2026-13-45 09:05:14\t三等奖：坏日期",
    "2026-12-08 09:05:15\t作废\t三等奖：不在本轮的人",
    "2026-12-08 09:06:40\t三等奖：李四 3302",
});

TEST(HistoryRounds, AnEarlierVersionsHistoryReadsAsRoundsWhateverElseItHolds)
{
    std::vector<Round> rounds =
        readRounds(kOldHistory + lines({"==== 2026-12-08 10:30:00 初始化 ===="}));
    ASSERT_EQ(rounds.size(), 2u); // earlier rounds can never be reopened
    EXPECT_EQ(resultsLines(&rounds[0]),
              (std::vector<QByteArray>{G("三等奖：张三 3301"), G("三等奖：李四 3302")}));
    EXPECT_EQ(rounds[0].entries[1].at(), QDateTime(QDate(2026, 12, 8), QTime(9, 6, 40)));
    EXPECT_EQ(roundLeftByReset(rounds), &rounds[0]);
    EXPECT_EQ(roundLeftByRestart(rounds), nullptr);
    EXPECT_TRUE(readRounds(QByteArray()).empty());
}

TEST(HistoryRounds, ALineCutByACrashIsNeverRead)
{
    const QByteArray cut = kOldHistory + G("2026-12-08 09:07:00\t三等奖：王");
    const std::vector<QByteArray> whole = {G("三等奖：张三 3301"), G("三等奖：李四 3302")};
    EXPECT_EQ(resultsLines(&readRounds(cut).back()), whole);
    // Ended by the next start's append, and marked.
    EXPECT_EQ(resultsLines(&readRounds(cut + "\r\n" + cutLineMarker(kAt) + "\r\n").back()), whole);
    QByteArray lfOnly = kOldHistory;
    lfOnly.replace("\r\n", "\n");
    EXPECT_EQ(resultsLines(&readRounds(lfOnly).back()), whole);
}

TEST(HistoryRounds, ARestartLeavesTheRoundUntilItIsContinuedOrDeclined)
{
    const QByteArray crashed =
        lines({"2026-12-08 20:01:00\t五等奖：甲", "2026-12-08 20:02:00\t五等奖：乙",
               "==== 2026-12-08 20:30:00 程序启动 ===="});
    const QByteArray again = lines({"==== 2026-12-08 20:50:00 程序启动 ===="});
    const std::vector<QByteArray> both = {G("五等奖：甲"), G("五等奖：乙")};
    EXPECT_EQ(resultsLines(roundLeftByRestart(readRounds(crashed))), both);
    EXPECT_EQ(roundLeftByReset(readRounds(crashed)), nullptr);
    // Killed while the question showed: asked again.
    EXPECT_EQ(resultsLines(roundLeftByRestart(readRounds(crashed + again))), both);
    // Declined, or reset after the start: never again.
    const QByteArray declined = separatorLine(kAt, RoundStart::NewRound) + "\r\n";
    EXPECT_EQ(roundLeftByRestart(readRounds(crashed + declined + again)), nullptr);
    EXPECT_EQ(roundLeftByRestart(
                  readRounds(crashed + lines({"==== 2026-12-08 20:31:00 初始化 ===="}) + again)),
              nullptr);
    // Continued: later winners and voids join the same round.
    const QByteArray continued = resumeLine(kAt, Resume::AfterRestart) + "\r\n" +
                                 lines({"2026-12-08 20:33:00\t四等奖：丙"}) +
                                 voidLine(kAt, G("五等奖：甲")) + "\r\n";
    EXPECT_EQ(resultsLines(roundLeftByRestart(readRounds(crashed + continued + again))),
              (std::vector<QByteArray>{G("五等奖：甲/作废"), G("五等奖：乙"), G("四等奖：丙")}));
    // A resume after winners of the round's own (a hand edit) changes nothing.
    const QByteArray ownWinner = again + lines({"2026-12-08 20:51:00\t五等奖：丁"});
    EXPECT_EQ(resultsLines(&readRounds(crashed + ownWinner + continued).back()),
              (std::vector<QByteArray>{G("五等奖：丁"), G("四等奖：丙")}));
}

TEST(HistoryRounds, AVoidMarksTheLatestEqualWinnerOfTheRoundOnce)
{
    RoundBuilder builder;
    for (const char* winner : {"五等奖：甲", "五等奖：乙", "四等奖：甲", "五等奖：甲"})
        builder.addWinner(kAt, G(winner));
    builder.addLine(voidLine(kAt, G("五等奖：甲")));
    EXPECT_TRUE(builder.voidWinner(G("五等奖：甲")));
    EXPECT_FALSE(builder.voidWinner(G("五等奖：甲")));
    EXPECT_FALSE(builder.voidEntry(7));
    EXPECT_EQ(builder.current().activeCount(), 2);
    EXPECT_EQ(resultsLines(&builder.current()),
              (std::vector<QByteArray>{G("五等奖：甲/作废"), G("五等奖：乙"), G("四等奖：甲"),
                                       G("五等奖：甲/作废")}));
}

TEST(HistoryRounds, AWithdrawnWinnerLeavesTheRoundAsIfNeverDrawn)
{
    RoundBuilder builder;
    for (const char* winner : {"五等奖：甲", "五等奖：乙", "五等奖：丙"})
        builder.addWinner(kAt, G(winner));
    // The results file refused the last two of a batch.
    builder.addLine(withdrawnLine(kAt, G("五等奖：丙")));
    builder.addLine(withdrawnLine(kAt, G("五等奖：乙")));
    builder.addLine(withdrawnLine(kAt, G("五等奖：丁"))); // names nobody: ignored
    EXPECT_EQ(resultsLines(&builder.current()), std::vector<QByteArray>{G("五等奖：甲")});
    EXPECT_TRUE(builder.current().voidedLines().empty()) << "a withdrawn winner is not kept out";
}

} // namespace
