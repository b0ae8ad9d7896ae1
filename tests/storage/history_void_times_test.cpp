#include "storage/history_void_times.h"
#include "support/gbk_literals.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(const char* time)
{
    return QDateTime::fromString(QString::fromLatin1(time), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

TEST(HistoryVoidTimes, EachVoidFindsTheWinnerItVoided)
{
    QByteArray history;
    for (const char* line : {
             "2026-12-08 20:00:00\t五等奖：张三 1", "==== 2026-12-08 20:10:00 初始化 ====",
             "2026-12-08 20:11:00\t五等奖：张三 1", // drawn again in the next round
             "2026-12-08 20:12:00\t五等奖：李四 2",
             "2026-12-08 20:13:00\t撤回\t五等奖：李四 2", // never announced
             "2026-12-08 20:14:00\t五等奖：李四 2", "2026-12-08 20:15:00\t作废\t五等奖：张三 1",
             "2026-12-08 20:16:00\t作废\t五等奖：李四 2",
             "2026-12-08 20:17:00\t作废\t五等奖：王五 3", // nobody of that line: skipped
             "2026-12-08 20:18:00\t作废\t五等奖：张三 1", // the earlier round's one
         })
        history += G(line) + "\r\n";
    const std::vector<history_void_times::Voided> voided = history_void_times::voided(history);
    ASSERT_EQ(voided.size(), 3u);
    EXPECT_EQ(voided[0].resultsLine, G("五等奖：张三 1"));
    EXPECT_EQ(voided[0].drawnAt, at("2026-12-08 20:11:00"));
    EXPECT_EQ(voided[0].voidedAt, at("2026-12-08 20:15:00"));
    EXPECT_EQ(voided[1].drawnAt, at("2026-12-08 20:14:00"));
    EXPECT_EQ(voided[1].voidedAt, at("2026-12-08 20:16:00"));
    EXPECT_EQ(voided[2].drawnAt, at("2026-12-08 20:00:00"));
    EXPECT_TRUE(history_void_times::voided("").empty());
}

} // namespace
