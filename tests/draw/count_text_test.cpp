#include "base/app_error.h"
#include "base/gbk.h"
#include "draw/count_text.h"

#include <gtest/gtest.h>

namespace {

TEST(CountText, DecimalWithLeadingSpacesAndSign)
{
    EXPECT_EQ(parseCountText(""), 0);
    EXPECT_EQ(parseCountText("4"), 4);
    EXPECT_EQ(parseCountText("  12"), 12);
    EXPECT_EQ(parseCountText("+7"), 7);
    EXPECT_EQ(parseCountText("-3"), -3);
    EXPECT_EQ(parseCountText("007"), 7);
    EXPECT_EQ(parseCountText("2147483647"), 2147483647);
    EXPECT_EQ(parseCountText("-2147483648"), -2147483647 - 1);
}

TEST(CountText, HexadecimalIsA32BitPattern)
{
    EXPECT_EQ(parseCountText("$A"), 10);
    EXPECT_EQ(parseCountText("x1f"), 31);
    EXPECT_EQ(parseCountText("X10"), 16);
    EXPECT_EQ(parseCountText("0x10"), 16);
    EXPECT_EQ(parseCountText("0XfF"), 255);
    EXPECT_EQ(parseCountText("$FFFFFFFF"), -1);
    EXPECT_EQ(parseCountText("$80000000"), -2147483647 - 1);
    EXPECT_EQ(parseCountText(" -$2"), -2);
}

TEST(CountText, AnythingElseIsNotAValidInteger)
{
    for (const char* text : {"2147483648", "-2147483649", "$100000000", "4 ", "\t4", "   ", "+",
                             "-", "$", "0x", "1.5", "1e3", "abc", "12a", "$G"}) {
        try {
            parseCountText(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const AppError& error) {
            EXPECT_EQ(
                error.message(),
                QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)));
        }
    }
    try {
        parseCountText(gbk::text("四"));
        ADD_FAILURE() << "accepted a Chinese numeral";
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("'四' is not a valid integer value"));
    }
}

} // namespace
