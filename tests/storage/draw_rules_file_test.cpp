#include "storage/draw_history.h"
#include "storage/draw_rules_file.h"
#include "storage/rules_history.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

DrawRules everyKind()
{
    DrawRules rules;
    rules.excluded = {G("工号"), {"3301", "3302"}};
    rules.signedIn = {{}, {G("张三\t销售部\t3303"), G("李四")}};
    LevelRules& grand = rules.levels[G("特等奖")];
    grand.conditions.push_back({G("部门"), false, {G("总经办"), G("行政部")}});
    grand.conditions.push_back({G("第4列"), true, {"2026"}});
    rules.levels[G("一等奖")].cap = {G("部门"), 2};
    return rules;
}

} // namespace

TEST(DrawRulesFile, EveryKindOfRuleReadsBackAsWrittenAndStrangeLinesAreSkipped)
{
    ScopedWorkingDirectory dir;
    const QString path = QLatin1String(draw_rules_file::kFileName);
    draw_rules_file::write(path, everyKind());
    EXPECT_EQ(draw_rules_file::read(path), everyKind());
    const QByteArray written = dir.readFile(draw_rules_file::kFileName);
    EXPECT_TRUE(written.contains(G("签到\t整行\t张三\t销售部\t3303\r\n")))
        << "a whole line keeps its tabs";
    EXPECT_TRUE(written.contains(G("上限\t一等奖\t部门\t2\r\n")));

    // Forms a later version may add, or a hand edit broke, are skipped.
    const QByteArray odd = written + G("权重\t张三\t9\r\n条件\t特等奖\t部门\t也许\tX\r\n"
                                       "上限\t一等奖\t部门\t零\r\n不参与抽奖\t姓名\t王五\r\n"
                                       "条件\t二等奖\t部门\t是\r\n");
    EXPECT_EQ(draw_rules_file::parse(odd), everyKind());

    DrawRules fourConditions;
    for (int i = 0; i < 4; ++i)
        fourConditions.levels[G("二等奖")].conditions.push_back({G("部门"), true, {"X"}});
    EXPECT_EQ(draw_rules_file::parse(draw_rules_file::format(fourConditions))
                  .forLevel(G("二等奖"))
                  .conditions.size(),
              size_t(draw_rules_file::kMaxConditions));

    draw_rules_file::write(path, DrawRules());
    EXPECT_FALSE(QFile::exists(path)) << "no rules leave no file";
    draw_rules_file::write(path, DrawRules());
    EXPECT_TRUE(draw_rules_file::read(path).isEmpty());
}

TEST(DrawRulesFile, RuleLinesInTheHistoryAreSkippedByItsReader)
{
    const QDateTime at(QDate(2026, 12, 8), QTime(9, 5, 0));
    const QByteArray change = rules_history::changeLine(at, everyKind());
    EXPECT_TRUE(change.startsWith(G("2026-12-08 09:05:00 规则更改\t不参与抽奖 工号 3301；")));
    EXPECT_EQ(rules_history::changeLine(at, DrawRules()), G("2026-12-08 09:05:00 规则更改\t无"));
    const QByteArray inForce =
        rules_history::inForceLine(at, G("特等奖"), G("本奖项：总经办不参与"));
    EXPECT_EQ(inForce, G("2026-12-08 09:05:00 本次规则\t特等奖\t本奖项：总经办不参与"));
    for (const QByteArray& line : {change, inForce})
        EXPECT_EQ(draw_history::readLine(line).kind, draw_history::HistoryLine::Kind::Unknown);
}
