#include "draw/draw_clock.h"

#include "base/gbk.h"

#include <QLocale>
#include <cmath>

namespace {

constexpr qint64 kMillisecondsPerDay = 86400000;
const QDate kDayZero(1899, 12, 30);

// The locale's long time format without its time-zone part.
QString timeWithSecondsFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

} // namespace

double toDateTimeValue(const QDateTime& localTime)
{
    const double days = static_cast<double>(kDayZero.daysTo(localTime.date()));
    const double dayFraction =
        static_cast<double>(localTime.time().msecsSinceStartOfDay()) / kMillisecondsPerDay;
    return days + dayFraction;
}

double unixSecondsUtc8(double dateTimeValue)
{
    const long double seconds =
        (static_cast<long double>(dateTimeValue) - 25569.0L) * 86400.0L - 28800.0L;
    if (!std::isfinite(seconds))
        return 946656000.0;
    return static_cast<double>(seconds);
}

qint64 clockSeconds(double dateTimeValue)
{
    return static_cast<qint64>(std::trunc(unixSecondsUtc8(dateTimeValue)));
}

qint64 winnerIndex(double dateTimeValue, qint64 candidateCount)
{
    return clockSeconds(dateTimeValue) % candidateCount;
}

QByteArray dateTimeText(const QDateTime& localTime)
{
    // Without a locale of its own (the C locale) the machine gets the formats
    // the operators of a Chinese party expect.
    const QLocale locale =
        QLocale().language() == QLocale::C ? QLocale(QLocale::Chinese, QLocale::China) : QLocale();
    QString text = locale.toString(localTime.date(), QLocale::ShortFormat);
    const QTime time = localTime.time();
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0)
        text += QLatin1Char(' ') + locale.toString(time, timeWithSecondsFormat(locale));
    return gbk::encode(text);
}
