#include "draw/count_text.h"

#include "base/app_error.h"
#include "base/gbk.h"

namespace {

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

qint32 parseCountText(const QByteArray& text)
{
    if (text.isEmpty())
        return 0;
    auto invalid = [&] { return AppError::notAValidInteger(gbk::decode(text)); };

    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    bool hexadecimal = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hexadecimal = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hexadecimal = true;
        i += 2;
    }
    if (i >= text.size())
        throw invalid();

    if (hexadecimal) {
        quint64 value = 0;
        for (; i < text.size(); ++i) {
            const int digit = hexDigitValue(text[i]);
            if (digit < 0)
                throw invalid();
            value = value * 16 + static_cast<quint64>(digit);
            if (value > 0xFFFFFFFFull)
                throw invalid();
        }
        const auto pattern = static_cast<qint32>(static_cast<quint32>(value));
        return negative ? static_cast<qint32>(0u - static_cast<quint32>(pattern)) : pattern;
    }

    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw invalid();
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            throw invalid();
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        throw invalid();
    return static_cast<qint32>(value);
}
