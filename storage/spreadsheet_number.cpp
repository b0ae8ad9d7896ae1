#include "storage/spreadsheet_number.h"

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace spreadsheet_number {

namespace {

// The significant digits a spreadsheet keeps of a fraction.
constexpr int kSignificantDigits = 15;

QString withoutTrailingZeros(QString text)
{
    if (!text.contains(u'.'))
        return text;
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace

QString shown(const QString& stored)
{
    // Most stored numbers are plain whole numbers, shown as they stand.
    const bool plainWhole = !stored.isEmpty() && stored.size() < 400 && stored[0] != u'0' &&
                            std::all_of(stored.begin(), stored.end(),
                                        [](QChar character) { return character.isDigit(); });
    if (plainWhole)
        return stored;
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?(?:[eE]([+-]?\\d{1,4}))?\\s*$"));
    const QRegularExpressionMatch match = number.match(stored);
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty()))
        return stored;
    const bool negative = match.captured(1) == QLatin1String("-");
    QString digits = match.captured(2) + match.captured(3);
    // The place of the decimal point, counted from the start of the digits.
    qsizetype point = match.captured(2).size() + match.captured(4).toInt();
    if (point < 0) {
        digits.prepend(QString(-point, u'0'));
        point = 0;
    }
    if (point > digits.size())
        digits.append(QString(point - digits.size(), u'0'));
    QString whole = digits.left(point);
    QString fraction = digits.mid(point);
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    while (fraction.endsWith(u'0'))
        fraction.chop(1);

    QString text;
    if (fraction.isEmpty()) {
        text = whole;
    } else {
        // Binary fractions such as 0.30000000000000004 are shown as the
        // spreadsheet shows them, rounded to its significant digits.
        const double value = QString(whole + u'.' + fraction).toDouble();
        const int wholeDigits = whole == QLatin1String("0") ? 0 : static_cast<int>(whole.size());
        int decimals = std::max(0, kSignificantDigits - wholeDigits);
        if (wholeDigits == 0) {
            const qsizetype leadingZeros =
                fraction.indexOf(QRegularExpression(QStringLiteral("[1-9]")));
            decimals += static_cast<int>(std::max<qsizetype>(0, leadingZeros));
        }
        text = withoutTrailingZeros(QString::number(value, 'f', std::min(decimals, 340)));
    }
    if (negative && text != QLatin1String("0"))
        text.prepend(u'-');
    return text;
}

QString shownAsDate(const QString& stored, bool from1904)
{
    bool ok = false;
    const double serial = stored.toDouble(&ok);
    // Beyond 9999-12-31 a spreadsheet shows no date either.
    if (!ok || !std::isfinite(serial) || serial < 0 || serial >= 2958466)
        return shown(stored);
    double days = std::floor(serial);
    qint64 seconds = std::llround((serial - days) * 86400.0);
    if (seconds >= 86400) {
        days += 1;
        seconds -= 86400;
    }
    QDate date;
    if (from1904)
        date = QDate(1904, 1, 1).addDays(static_cast<qint64>(days));
    else if (days >= 61)
        date = QDate(1899, 12, 30).addDays(static_cast<qint64>(days));
    else // before the 29 February 1900 that spreadsheets count but never was
        date = QDate(1899, 12, 31).addDays(static_cast<qint64>(days));
    QString text = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (seconds > 0)
        text += u' ' +
                QTime(0, 0)
                    .addSecs(static_cast<int>(seconds))
                    .toString(seconds % 60 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    return text;
}

bool isDateFormatCode(const QString& formatCode)
{
    bool quoted = false;
    bool bracketed = false;
    for (qsizetype at = 0; at < formatCode.size(); ++at) {
        const QChar character = formatCode[at];
        if (character == u'\\' || character == u'_' || character == u'*') {
            ++at; // the next character is shown as it is, or used as fill
        } else if (character == u'"') {
            quoted = !quoted;
        } else if (!quoted && character == u'[') {
            bracketed = true;
        } else if (!quoted && character == u']') {
            bracketed = false;
        } else if (!quoted && !bracketed) {
            const QChar lower = character.toLower();
            if (lower == u'y' || lower == u'd')
                return true;
        }
    }
    return false;
}

bool isBuiltInDateFormat(int numberFormatId)
{
    return (numberFormatId >= 14 && numberFormatId <= 17) || numberFormatId == 22 ||
           (numberFormatId >= 27 && numberFormatId <= 31) ||
           (numberFormatId >= 34 && numberFormatId <= 36) ||
           (numberFormatId >= 50 && numberFormatId <= 58);
}

} // namespace spreadsheet_number
