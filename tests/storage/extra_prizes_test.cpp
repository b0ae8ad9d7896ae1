#include "base/app_error.h"
#include "storage/extra_prizes.h"
#include "storage/results_format.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using extra_prizes::ExtraPrize;
using extra_prizes::Fields;

TEST(ExtraPrizes, EachBadFieldIsNamedAndNothingPasses)
{
    const extra_prizes::ExtraPrizeList others = {{G("老板加奖"), G("红包"), 10, 1}};
    struct Case
    {
        Fields fields;
        const char* problemStart; // empty: passes
    };
    const std::vector<Case> cases = {
        {{G("幸运奖"), G("手机"), "3", "2"}, ""},
        {{G("幸运奖"), {}, " 3 ", ""}, ""}, // an empty prize, one per Stop
        {{{}, G("手机"), "3", ""}, "加奖名称不能为空"},
        {{"  ", G("手机"), "3", ""}, "加奖名称不能为空"},
        {{G("老板加奖"), G("手机"), "3", ""}, "加奖名称“老板加奖”已经有了"},
        {{G("三等奖"), G("手机"), "3", ""}, "加奖名称“三等奖”是固定奖项的名称"},
        {{G("幸运\r\n奖"), G("手机"), "3", ""}, "加奖名称只能是一行"},
        {{G("幸运\t奖"), G("手机"), "3", ""}, "加奖名称不能含有制表符"},
        {{G("一二三四五六七八九"), G("手机"), "3", ""}, "加奖名称太长：最多 16 个字节（8 个汉字）"},
        {{G("一二三四五六七八"), G("手机"), "3", ""}, ""},
        {{G("【幸运】"), G("手机"), "3", ""}, "加奖名称不能含有“【”或“】”"},
        {{G(" 幸运奖"), G("手机"), "3", ""}, "加奖名称的前后不能有空格"},
        {{G("幸运奖"), G("手机\n两台"), "3", ""}, "加奖奖品只能是一行"},
        {{G("幸运奖"), G("手机"), "0", ""}, "加奖人数必须是 1 到 9999 之间的整数"},
        {{G("幸运奖"), G("手机"), "-2", ""}, "加奖人数必须是"},
        {{G("幸运奖"), G("手机"), "2.5", ""}, "加奖人数必须是"},
        {{G("幸运奖"), G("手机"), "", ""}, "加奖人数必须是"},
        {{G("幸运奖"), G("手机"), "10000", ""}, "加奖人数必须是"},
        {{G("幸运奖"), G("手机"), "3", "0"}, "加奖每次人数必须是"},
        {{G("幸运奖"), G("手机"), "3", "x"}, "加奖每次人数必须是"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(gbk::decode(c.fields.name).toStdString() + " / " +
                     c.fields.count.toStdString());
        const extra_prizes::Checked checked = extra_prizes::check(c.fields, others);
        EXPECT_EQ(checked.prize.has_value(), *c.problemStart == '\0');
        const QString start = QString::fromUtf8(c.problemStart);
        EXPECT_TRUE(start.isEmpty() ? checked.problem.isEmpty() : checked.problem.startsWith(start))
            << checked.problem.toStdString();
    }
}

TEST(ExtraPrizes, TheFileHoldsTheListAndIsGoneWhenItIsEmpty)
{
    ScopedWorkingDirectory dir;
    EXPECT_TRUE(extra_prizes::read().empty()) << "no file: no extra prize";
    const extra_prizes::ExtraPrizeList prizes = {{G("老板加奖"), G("现金红包 888 元"), 10, 5},
                                                 {G("幸运奖"), {}, 1, 1}};
    extra_prizes::write(prizes);
    EXPECT_EQ(dir.readFile(extra_prizes::kFileName),
              G("老板加奖\t现金红包 888 元\t10\t5\r\n幸运奖\t\t1\t1\r\n"));
    EXPECT_EQ(extra_prizes::read(), prizes);

    // A hand edit: a damaged line and a duplicate are passed over.
    dir.writeFile(extra_prizes::kFileName,
                  G("老板加奖\t红包\t10\t5\r\n坏行\r\n老板加奖\t又一个\t1\t1\r\n奖\t\t0\t1\r\n"));
    ASSERT_EQ(extra_prizes::read().size(), 1u);

    extra_prizes::write({});
    EXPECT_FALSE(dir.exists(extra_prizes::kFileName));
    extra_prizes::write({}); // nothing to remove

    QDir(dir.path()).mkdir(QLatin1String(extra_prizes::kFileName));
    EXPECT_THROW(extra_prizes::read(), AppError);
    EXPECT_THROW(extra_prizes::write(prizes), AppError);
    EXPECT_THROW(extra_prizes::write({}), AppError) << "a folder is never removed";
}

TEST(ExtraPrizes, AResultsLineCarriesTheNameInBracketsApartFromTheLevels)
{
    const QByteArray line = results_format::extraPrizeLine(G("老板加奖"), G("张三 3301"));
    EXPECT_EQ(line, G("【老板加奖】张三 3301"));
    EXPECT_EQ(results_format::extraPrizeName(line), G("老板加奖"));
    EXPECT_EQ(results_format::recordedWinner(line), G("张三 3301"));
    EXPECT_EQ(results_format::strippedWinner(line + "  "), G("张三 3301"));
    // Levels' lines and lines of no level are read as before.
    const QByteArray level = results_format::resultsLine(PrizeLevel::Third, G("李四"));
    EXPECT_TRUE(results_format::extraPrizeName(level).isEmpty());
    EXPECT_EQ(results_format::recordedWinner(level), G("李四"));
    for (const QByteArray& other :
         {G("【】张三"), G("【没有右括号张三"), G("手写的一行"), G("【一二三四五六七八九】张三")})
        EXPECT_TRUE(results_format::extraPrizeName(other).isEmpty()) << other.toStdString();
    // "】" is A1 BF: a character ending in A1 followed by one beginning BF
    // holds those bytes without holding the bracket.
    const QByteArray trap = G("【") + QByteArray("\xB0\xA1\xBF\xC0", 4) + G("】x");
    EXPECT_EQ(results_format::extraPrizeName(trap), QByteArray("\xB0\xA1\xBF\xC0", 4));
}

} // namespace
