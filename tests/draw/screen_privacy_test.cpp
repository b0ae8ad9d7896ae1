#include "draw/screen_privacy.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <gtest/gtest.h>

namespace {

using namespace screen_privacy;

TEST(ScreenPrivacy, MasksLongDigitRunsOnly)
{
    const struct
    {
        const char* line;
        const char* shown;
    } rows[] = {
        {"张三\t110101199003071234", "张三\t110101********1234"},
        {"李四\t11010119900307123X", "李四\t110101********123X"},
        {"王五 13812341234", "王五 138****1234"},
        {"赵六\t130101900307123", "赵六\t130101*****7123"}, // the old 15-digit number
        {"工号1002345 2024-01-01 12:00:00", "工号1002345 2024-01-01 12:00:00"},
        {"6222020200112233445", "622202*********3445"}, // a bank card
        {"1381234123", "1381234123"},                   // 10 digits
        {"电话13812341234、13912345678", "电话138****1234、139****5678"},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(maskedDigitRuns(G(row.line)), G(row.shown)) << row.line;
    // Bytes that are not GBK text pass unchanged but for the digits.
    EXPECT_EQ(maskedDigitRuns(QByteArray("\xff\x00"
                                         "12345678901",
                                         13)),
              QByteArray("\xff\x00"
                         "123****8901",
                         13));
}

TEST(ScreenPrivacy, ShowsTheChosenColumnsOfParticipantsAndResults)
{
    const QByteArray person = G("张三\t销售部\t13812341234\t110101199003071234");
    const ScreenPrivacy everything;
    const ScreenPrivacy masked{true, {}};
    const ScreenPrivacy nameAndPhone{false, {0, 2}};
    const ScreenPrivacy beyond{true, {7}};
    EXPECT_EQ(shownParticipant(person, everything), person);
    EXPECT_EQ(shownParticipant(person, masked), G("张三\t销售部\t138****1234\t110101********1234"));
    EXPECT_EQ(shownParticipant(person, nameAndPhone), G("张三\t13812341234"));
    EXPECT_EQ(shownParticipant(G("张三"), nameAndPhone), G("张三"));
    EXPECT_EQ(shownParticipant(person, beyond), G("张三"));

    // The label and the time of a results-list line stay; the time's digits too.
    const QByteArray listed = G("五等奖：") + person + G(" 时间：2024-01-01 12:00:00");
    EXPECT_EQ(shownResultsListLine(listed, everything), listed);
    EXPECT_EQ(shownResultsListLine(listed, ScreenPrivacy{true, {1, 2}}),
              G("五等奖：销售部\t138****1234 时间：2024-01-01 12:00:00"));
    EXPECT_EQ(shownResultsListLine(G("13812341234"), masked), G("138****1234"));
}

TEST(ScreenPrivacy, FindsIdentityAndMobileNumbers)
{
    EXPECT_TRUE(holdsPersonalNumbers(G("张三\t110101199003071234")));
    EXPECT_TRUE(holdsPersonalNumbers(G("张三\t11010119900307123x")));
    EXPECT_TRUE(holdsPersonalNumbers(G("张三 13812341234")));
    EXPECT_FALSE(holdsPersonalNumbers(G("张三 12812341234"))); // no mobile begins 12
    EXPECT_FALSE(holdsPersonalNumbers(G("张三 1381234123")));
    EXPECT_FALSE(holdsPersonalNumbers(G("张三 6222020200112233445")));
    EXPECT_FALSE(holdsPersonalNumbers(G("工号 1002345")));
}

TEST(ScreenPrivacy, SettingsAreWrittenOnlyOnceChanged)
{
    ScopedWorkingDirectory dir;
    EXPECT_EQ(screen_privacy_settings::read(), ScreenPrivacy());
    screen_privacy_settings::writeChanged(ScreenPrivacy());
    EXPECT_FALSE(dir.exists("rafflixset.ini"));
    const ScreenPrivacy chosen{true, {0, 2}};
    screen_privacy_settings::writeChanged(chosen);
    EXPECT_EQ(screen_privacy_settings::read(), chosen);
    EXPECT_EQ(screen_privacy_settings::parseColumns(" 3,1,x,0,3,1000"), (std::vector<int>{0, 2}));
}

} // namespace
