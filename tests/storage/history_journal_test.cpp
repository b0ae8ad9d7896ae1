#include "storage/history_journal.h"
#include "support/gbk_literals.h"

#include <gtest/gtest.h>

using namespace history_journal;

namespace {

QByteArray lines(std::initializer_list<const char*> utf8)
{
    QByteArray bytes;
    for (const char* line : utf8)
        bytes += G(line) + "\r\n";
    return bytes;
}

std::vector<QByteArray> resultsLines(const Round& round)
{
    std::vector<QByteArray> found;
    for (const RoundEntry& entry : round.entries)
        found.push_back(entry.resultsLine);
    return found;
}

const QDateTime kAt(QDate(2026, 12, 8), QTime(21, 5, 9));

TEST(HistoryJournal, NewLinesReadBackAsTheEventsTheyRecord)
{
    EXPECT_EQ(separatorLine(kAt, RoundStart::SettingsSave),
              G("==== 2026-12-08 21:05:09 设置保存 ===="));
    EXPECT_EQ(separatorLine(kAt, RoundStart::NewRound), G("==== 2026-12-08 21:05:09 新一轮 ===="));
    EXPECT_EQ(resumeLine(kAt, Resume::AfterReset), G("==== 2026-12-08 21:05:09 恢复上一轮 ===="));
    EXPECT_EQ(voidLine(kAt, G("五等奖：张三 1101")),
              G("2026-12-08 21:05:09\t作废\t五等奖：张三 1101"));

    RoundBuilder builder;
    builder.addLine(G("2026-12-08 21:05:00\t五等奖：张三 1101"));
    builder.addLine(voidLine(kAt, G("五等奖：张三 1101")));
    builder.addLine(separatorLine(kAt, RoundStart::SettingsSave));
    ASSERT_EQ(builder.rounds().size(), 2u);
    EXPECT_TRUE(builder.rounds()[0].entries[0].voided);
    EXPECT_EQ(builder.rounds()[0].entries[0].at, QDateTime(QDate(2026, 12, 8), QTime(21, 5, 0)));
    EXPECT_EQ(builder.rounds()[1].start, RoundStart::SettingsSave);
}

TEST(HistoryJournal, AHistoryOfEarlierVersionsReadsAsItsSessions)
{
    const std::vector<Round> rounds = readRounds(lines({
        "2026-12-08 08:59:00\t五等奖：早到的 1",
        "==== 2026-12-08 09:00:00 程序启动 ====",
        "2026-12-08 09:05:12\t三等奖：张三 3301",
        "2026-12-08 09:06:40\t三等奖：李四 3302",
        "==== 2026-12-08 10:30:00 初始化 ====",
    }));
    // Rounds before the last one with winners are of no further use.
    ASSERT_EQ(rounds.size(), 2u);
    EXPECT_EQ(rounds[0].start, RoundStart::ProgramStart);
    EXPECT_EQ(resultsLines(rounds[0]),
              (std::vector<QByteArray>{G("三等奖：张三 3301"), G("三等奖：李四 3302")}));
    EXPECT_EQ(rounds[1].start, RoundStart::Initialize);
    EXPECT_TRUE(rounds[1].entries.empty());
    EXPECT_EQ(roundLeftByReset(rounds), &rounds[0]);
    EXPECT_EQ(roundLeftByRestart(rounds), nullptr);
}

TEST(HistoryJournal, ACutLastLineAndLinesOfNoKnownFormAreLeftOut)
{
    const QByteArray whole = lines({
        "==== 2026-12-08 09:00:00 程序启动 ====",
        "2026-12-08 09:05:12\t三等奖：张三 3301",
        "a note the operator typed",
        "==== 2026-12-08 09:05:13 something else ====",
        "2026-13-45 09:05:14\t三等奖：坏日期",
        "2026-12-08 09:05:15\t作废\t三等奖：不在本轮的人",
    });
    const QByteArray cut = whole + G("2026-12-08 09:06:40\t三等奖：李");
    for (const QByteArray& history : {whole, cut}) {
        const std::vector<Round> rounds = readRounds(history);
        ASSERT_EQ(rounds.size(), 1u);
        EXPECT_EQ(resultsLines(rounds[0]), std::vector<QByteArray>{G("三等奖：张三 3301")});
        EXPECT_FALSE(rounds[0].entries[0].voided);
    }
    // Once the next start has ended the cut line, its marker keeps it out.
    const QByteArray ended = cut + "\r\n" + cutLineMarker(kAt) + "\r\n";
    EXPECT_EQ(resultsLines(readRounds(ended).back()),
              std::vector<QByteArray>{G("三等奖：张三 3301")});
    EXPECT_EQ(resultsLines(readRounds(whole + cutLineMarker(kAt) + "\r\n").back()),
              std::vector<QByteArray>{G("三等奖：张三 3301")});
    // Lines ended by LF alone count too.
    QByteArray lfOnly = whole;
    lfOnly.replace("\r\n", "\n");
    EXPECT_EQ(readRounds(lfOnly).size(), 1u);
    EXPECT_TRUE(readRounds(QByteArray()).empty());
}

TEST(HistoryJournal, ARestartLeavesTheRoundUntilItIsContinuedOrDeclined)
{
    const QByteArray crashed = lines({
        "==== 2026-12-08 20:00:00 程序启动 ====",
        "2026-12-08 20:01:00\t五等奖：甲",
        "2026-12-08 20:02:00\t五等奖：乙",
        "==== 2026-12-08 20:30:00 程序启动 ====",
    });
    std::vector<Round> rounds = readRounds(crashed);
    ASSERT_NE(roundLeftByRestart(rounds), nullptr);
    EXPECT_EQ(roundLeftByRestart(rounds)->entries.size(), 2u);
    EXPECT_EQ(roundLeftByReset(rounds), nullptr);

    // Killed again while the question showed: still offered.
    rounds = readRounds(crashed + lines({"==== 2026-12-08 20:31:00 程序启动 ===="}));
    EXPECT_NE(roundLeftByRestart(rounds), nullptr);

    // Declined: never offered again.
    rounds = readRounds(crashed + lines({"==== 2026-12-08 20:30:01 新一轮 ====",
                                         "==== 2026-12-08 20:40:00 程序启动 ===="}));
    EXPECT_EQ(roundLeftByRestart(rounds), nullptr);

    // Continued: the winners after it join the same round, and a later
    // restart offers the whole of it.
    rounds = readRounds(crashed + lines({"==== 2026-12-08 20:30:01 继续上一轮 ====",
                                         "2026-12-08 20:33:00\t四等奖：丙",
                                         "==== 2026-12-08 20:50:00 程序启动 ===="}));
    ASSERT_NE(roundLeftByRestart(rounds), nullptr);
    EXPECT_EQ(resultsLines(*roundLeftByRestart(rounds)),
              (std::vector<QByteArray>{G("五等奖：甲"), G("五等奖：乙"), G("四等奖：丙")}));

    // A start after a reset: the reset round is not offered on restart.
    rounds = readRounds(crashed + lines({"==== 2026-12-08 20:30:01 初始化 ====",
                                         "==== 2026-12-08 20:50:00 程序启动 ===="}));
    EXPECT_EQ(roundLeftByRestart(rounds), nullptr);
    EXPECT_EQ(roundLeftByReset(rounds), nullptr);
}

TEST(HistoryJournal, AResetCanBeTakenBackUntilTheNextWinner)
{
    RoundBuilder builder;
    builder.startRound(RoundStart::ProgramStart);
    builder.addWinner(kAt, G("五等奖：甲"));
    builder.startRound(RoundStart::Initialize);
    builder.startRound(RoundStart::SettingsSave); // a typo fixed after the reset
    ASSERT_NE(roundLeftByReset(builder.rounds()), nullptr);

    builder.resume();
    ASSERT_EQ(builder.rounds().size(), 1u);
    EXPECT_EQ(resultsLines(builder.current()), std::vector<QByteArray>{G("五等奖：甲")});
    EXPECT_EQ(roundLeftByReset(builder.rounds()), nullptr);

    builder.startRound(RoundStart::Initialize);
    builder.addWinner(kAt, G("五等奖：乙"));
    EXPECT_EQ(roundLeftByReset(builder.rounds()), nullptr);
    // A resume into a round that has winners of its own changes nothing.
    builder.resume();
    EXPECT_EQ(resultsLines(builder.current()), std::vector<QByteArray>{G("五等奖：乙")});
}

TEST(HistoryJournal, AVoidMarksTheLatestEqualWinnerOfTheRoundOnce)
{
    RoundBuilder builder;
    builder.addWinner(kAt, G("五等奖：甲"));
    builder.addWinner(kAt, G("五等奖：乙"));
    builder.addWinner(kAt, G("四等奖：甲"));
    builder.addWinner(kAt, G("五等奖：甲"));
    EXPECT_TRUE(builder.voidWinner(G("五等奖：甲")));
    EXPECT_TRUE(builder.voidWinner(G("五等奖：甲")));
    EXPECT_FALSE(builder.voidWinner(G("五等奖：甲")));
    EXPECT_FALSE(builder.voidEntry(7));
    const Round& round = builder.current();
    EXPECT_EQ(round.activeCount(), 2);
    EXPECT_EQ(round.voidedLines(), (std::vector<QByteArray>{G("五等奖：甲"), G("五等奖：甲")}));
    EXPECT_FALSE(round.entries[1].voided);
    EXPECT_FALSE(round.entries[2].voided);
}

} // namespace
