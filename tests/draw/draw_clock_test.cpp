#include "draw/draw_clock.h"
#include "support/gbk_literals.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(DrawClock, DateTimeValueCountsDaysFrom1899)
{
    EXPECT_DOUBLE_EQ(toDateTimeValue(QDateTime(QDate(1970, 1, 1), QTime(0, 0))), 25569.0);
    EXPECT_DOUBLE_EQ(toDateTimeValue(QDateTime(QDate(1970, 1, 1), QTime(12, 0))), 25569.5);
}

TEST(DrawClock, UnixSecondsAreLocalWallClockMinusEightHours)
{
    const double at0800 = toDateTimeValue(QDateTime(QDate(1970, 1, 1), QTime(8, 0)));
    EXPECT_NEAR(unixSecondsUtc8(at0800), 0.0, 1e-3);
    const double newYear = toDateTimeValue(QDateTime(QDate(2011, 1, 30), QTime(14, 30, 5)));
    EXPECT_NEAR(unixSecondsUtc8(newYear), 1296369005.0, 1e-3);
}

TEST(DrawClock, WinnerIndexIsWholeSecondsModuloCandidates)
{
    // 1,000,000,001 s after the epoch, plus a fraction: index 2 of 3.
    const double value = 25569.0 + (1000000001.0 + 28800.0 + 0.75) / 86400.0;
    EXPECT_EQ(winnerIndex(value, 3), 2);
    EXPECT_EQ(winnerIndex(value, 1), 0);
}

TEST(DrawClock, TimeStampLeavesOutMidnight)
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2011, 1, 30), QTime(14, 30, 5))),
              G("2011/1/30 14:30:05"));
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2011, 1, 30), QTime(0, 0, 0, 500))), G("2011/1/30"));
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2011, 1, 30), QTime(0, 0, 1))), G("2011/1/30 00:00:01"));
}

} // namespace

namespace {

TEST(DrawClock, TheCLocaleStampsInChineseFormats)
{
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7))), G("2026/12/8 09:05:07"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

} // namespace
