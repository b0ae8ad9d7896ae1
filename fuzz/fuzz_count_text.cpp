// Any text as a winner count: the conversion must agree with a reference of
// the count rules, and anything it refuses must give the exact message.

#include "base/app_error.h"
#include "base/gbk.h"
#include "draw/count_text.h"
#include "fuzz_support.h"

#include <optional>
#include <regex>
#include <string>

namespace {

std::optional<qint32> referenceCount(const std::string& text)
{
    if (text.empty())
        return 0;
    static const std::regex hexadecimal("^ *([+-]?)(\\$|x|X|0x|0X)([0-9A-Fa-f]+)$");
    static const std::regex decimal("^ *([+-]?)([0-9]+)$");
    std::smatch match;
    if (std::regex_match(text, match, hexadecimal)) {
        std::string digits = match[3].str();
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
        if (digits.size() > 8)
            return std::nullopt;
        quint32 pattern =
            digits.empty() ? 0u : static_cast<quint32>(std::stoul(digits, nullptr, 16));
        if (match[1] == "-")
            pattern = ~pattern + 1u;
        return static_cast<qint32>(pattern);
    }
    if (std::regex_match(text, match, decimal)) {
        std::string digits = match[2].str();
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
        if (digits.size() > 10)
            return std::nullopt;
        long long value = digits.empty() ? 0 : std::stoll(digits);
        if (match[1] == "-")
            value = -value;
        if (value < -2147483648LL || value > 2147483647LL)
            return std::nullopt;
        return static_cast<qint32>(value);
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<qint32> expected =
        referenceCount(std::string(text.constData(), static_cast<size_t>(text.size())));
    try {
        const qint32 count = parseCountText(text);
        FUZZ_CHECK(expected && *expected == count);
    } catch (const AppError& error) {
        FUZZ_CHECK(!expected);
        FUZZ_CHECK(error.message() ==
                   QStringLiteral("'%1' is not a valid integer value").arg(gbk::decode(text)));
    }
    return 0;
}
