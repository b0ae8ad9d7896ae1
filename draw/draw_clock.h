#pragma once

#include <QByteArray>
#include <QDateTime>

// A local date and time as a day number since 1899-12-30 plus the fraction of
// the day, the clock value the winner pick works from.
double toDateTimeValue(const QDateTime& localTime);

// Seconds since 1970-01-01 00:00 of the local wall clock, minus eight hours.
double unixSecondsUtc8(double dateTimeValue);

// k: the whole seconds of the clock value (unixSecondsUtc8), the number the
// pick reduces modulo the candidates.
qint64 clockSeconds(double dateTimeValue);

// The winner's index among n candidates: the whole seconds of the clock value,
// modulo n (a signed remainder).
qint64 winnerIndex(double dateTimeValue, qint64 candidateCount);

// The time stamp of a results line: the user's short date, then, unless the
// time is exactly 00:00:00, a blank and the time with seconds (GBK).
QByteArray dateTimeText(const QDateTime& localTime);
