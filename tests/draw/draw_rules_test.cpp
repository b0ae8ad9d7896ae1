#include "draw/draw_clock.h"
#include "draw/participant_columns.h"
#include "draw/rules_at_stop.h"
#include "draw/rules_text.h"
#include "draw_harness.h"
#include "storage/case_fold.h"
#include "storage/column_titles_file.h"
#include "storage/draw_history.h"
#include "storage/draw_rules_file.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// 姓名 TAB 部门 TAB 工号, departments and numbers cycling.
std::vector<QByteArray> staffWithDepartments(int count, int departments)
{
    std::vector<QByteArray> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(G("员工") + QByteArray::number(i) + '\t' + G("部门") +
                        QByteArray::number(i % departments) + '\t' + "A" +
                        QByteArray::number(1000 + i));
    return lines;
}

void writeRules(const DrawRules& rules)
{
    draw_rules_file::write(QLatin1String(draw_rules_file::kFileName), rules);
}

// The reference: the rules applied by hand to the list, then one winner at a
// time by the clock rule over who is left, a group leaving once it is full.
std::vector<QByteArray> expectedWinners(std::vector<QByteArray> candidates,
                                        const std::function<bool(const QByteArray&)>& passes,
                                        int capColumn, int capMost,
                                        std::map<QByteArray, int> perGroup, int winners,
                                        double clock)
{
    std::vector<QByteArray> left;
    for (const QByteArray& line : candidates)
        if (passes(line) && (capColumn < 0 || perGroup[cellAt(line, capColumn)] < capMost))
            left.push_back(line);
    std::vector<QByteArray> picked;
    while (static_cast<int>(picked.size()) < winners && !left.empty()) {
        const auto index = static_cast<size_t>(winnerIndex(clock, qint64(left.size())));
        const QByteArray winner = left[index];
        picked.push_back(winner);
        left.erase(left.begin() + static_cast<long>(index));
        if (capColumn >= 0 && ++perGroup[cellAt(winner, capColumn)] >= capMost)
            left.erase(std::remove_if(left.begin(), left.end(),
                                      [&](const QByteArray& line) {
                                          return cellAt(line, capColumn) ==
                                                 cellAt(winner, capColumn);
                                      }),
                       left.end());
    }
    return picked;
}

} // namespace

TEST(ParticipantColumns, TitlesNameTheColumnsAndTheRestAreNumbered)
{
    const ParticipantColumns columns(G("姓名\t部门"), 3);
    EXPECT_EQ(columns.names(), (std::vector<QByteArray>{G("姓名"), G("部门"), G("第3列")}));
    EXPECT_EQ(columns.indexOf(G("部门")), 1);
    EXPECT_EQ(columns.indexOf(G("第1列")), 0) << "a number names a titled column too";
    EXPECT_EQ(columns.indexOf(G("第9列")), 8);
    EXPECT_EQ(columns.indexOf(G("第0列")), -1);
    EXPECT_EQ(columns.indexOf(G("工号")), -1);
    EXPECT_EQ(ParticipantColumns({}, 0).names(), std::vector<QByteArray>{G("第1列")});

    EXPECT_EQ(cellAt(G("张三\t 总经办 \t3301"), 1), G("总经办"));
    EXPECT_EQ(cellAt(G("张三"), 0), G("张三")) << "a line without tabs is one column";
    EXPECT_EQ(cellAt(G("张三"), 2), QByteArray());
}

TEST(RulesAtStop, EachKindOfRuleKeepsTheLinesItShould)
{
    const std::vector<QByteArray> staff = {G("张三\t总经办\tA1"), G("李四\t销售部\ta2"),
                                           G("王五\t行政部\tA3"), G("赵六\t销售部\tA4")};
    const ParticipantColumns columns(G("姓名\t部门\t工号"), 3);
    struct Case
    {
        const char* what;
        DrawRules rules;
        std::vector<int> kept;
        std::vector<QByteArray> earlierWinners = {}; // results lines
        QByteArray prize = G("特等奖");
    };
    DrawRules notBoss;
    notBoss.levels[G("特等奖")].conditions.push_back({G("部门"), false, {G("总经办")}});
    DrawRules salesOnly;
    salesOnly.levels[G("特等奖")].conditions.push_back(
        {G("部门"), true, {G("销售部"), G("行政部")}});
    DrawRules excludedById;
    excludedById.excluded = {G("工号"), {G("A2"), G("A3 ")}};
    DrawRules signedInLines;
    signedInLines.signedIn = {{}, {G("张三\t总经办\tA1"), G("赵六\t销售部\tA4")}};
    DrawRules otherLevel;
    otherLevel.levels[G("一等奖")].conditions.push_back({G("部门"), false, {G("总经办")}});
    DrawRules all = notBoss;
    all.signedIn = {G("姓名"), {G("李四"), G("王五")}};
    all.excluded = {G("工号"), {G("A3")}};
    DrawRules onePerDepartment;
    onePerDepartment.levels[G("特等奖")].cap = {G("部门"), 1};
    DrawRules extraOnePerDepartment;
    extraOnePerDepartment.levels[G("老板加奖")].cap = {G("部门"), 1};
    const std::vector<QByteArray> extraAndLevelWinners = {G("【老板加奖】李四\t销售部\ta2"),
                                                          G("特等奖：王五\t行政部\tA3")};
    const Case cases[] = {
        {"不是", notBoss, {1, 2, 3}},
        {"是, several values", salesOnly, {1, 2, 3}},
        {"excluded by a column, case and blanks aside", excludedById, {0, 3}},
        {"signed in by whole lines", signedInLines, {0, 3}},
        {"another level's rules", otherLevel, {0, 1, 2, 3}},
        {"every rule must hold", all, {1}},
        {"a level's cap counts its earlier winners",
         onePerDepartment,
         {0, 2},
         {G("特等奖：李四\t销售部\ta2")}},
        {"an extra prize's cap counts its own winners only",
         extraOnePerDepartment,
         {0, 2},
         extraAndLevelWinners,
         G("老板加奖")},
    };
    for (const Case& c : cases) {
        TextLineList list;
        for (const QByteArray& line : staff)
            list.add(line);
        TextLineList results;
        for (const QByteArray& line : c.earlierWinners)
            results.add(line);
        RulesAtStop rules(c.rules, c.prize, columns);
        rules.keepOnlyCandidates(list, results);
        std::vector<QByteArray> expected;
        for (int i : c.kept)
            expected.push_back(staff[static_cast<size_t>(i)]);
        std::vector<QByteArray> kept;
        for (int i = 0; i < list.count(); ++i)
            kept.push_back(list.get(i));
        EXPECT_EQ(kept, expected) << c.what;
    }
}

TEST(RulesAtStop, CellsMatchValuesAndGroupsExactlyAsTheirCaseFoldedKeys)
{
    // Texts with and without letters of another case, GBK and not; a GBK
    // pair whose trail byte is an ASCII letter has no case of its own.
    const std::vector<QByteArray> texts = {"",
                                           "abc",
                                           "ABC",
                                           " Abc ",
                                           "12345",
                                           "012345",
                                           G("部门0"),
                                           G("部门Ａ"),
                                           G("部门ａ"),
                                           G("ΑΒΓ"),
                                           G("αβγ"),
                                           QByteArray("\x81\x41", 2),
                                           QByteArray("\x81\x61", 2),
                                           QByteArray("\x81\x30"
                                                      "A",
                                                      3),
                                           QByteArray("\x81\x30"
                                                      "a",
                                                      3),
                                           QByteArray("\x81\x30"
                                                      "1",
                                                      3),
                                           QByteArray("\xFF"
                                                      "A",
                                                      2),
                                           QByteArray("\xFF"
                                                      "a",
                                                      2)};
    const auto keyOf = [](const QByteArray& text) { return caseFoldKey(text.trimmed()); };
    const auto lineOf = [](const QByteArray& cell) { return G("某人\t") + cell + "\tX"; };
    const ParticipantColumns columns(G("姓名\t部门\t工号"), 3);
    const QByteArray level = G("一等奖");
    // Each text alone (values that fold and values that need not), then all.
    std::vector<std::vector<QByteArray>> valueLists;
    for (const QByteArray& text : texts)
        valueLists.push_back({text});
    valueLists.push_back(texts);
    for (const std::vector<QByteArray>& values : valueLists) {
        DrawRules byLine;
        byLine.excluded = {{}, values};
        DrawRules byColumn;
        byColumn.levels[level].conditions.push_back({G("部门"), true, values});
        const RulesAtStop lineRule(byLine, level, columns);
        const RulesAtStop columnRule(byColumn, level, columns);
        for (const QByteArray& cell : texts) {
            bool listed = false;
            for (const QByteArray& value : values)
                listed = listed || keyOf(value) == caseFoldKey(cell.trimmed());
            EXPECT_EQ(lineRule.passes(cell), !listed) << cell.toHex().constData();
            EXPECT_EQ(columnRule.passes(lineOf(cell)), listed) << cell.toHex().constData();
        }
    }
    // One winner per 部门: a candidate leaves with the winner's group.
    DrawRules capped;
    capped.levels[level].cap = {G("部门"), 1};
    for (const QByteArray& winner : texts) {
        TextLineList results;
        results.add(level + G("：") + lineOf(winner));
        TextLineList candidates;
        for (const QByteArray& cell : texts)
            candidates.add(lineOf(cell));
        RulesAtStop(capped, level, columns).keepOnlyCandidates(candidates, results);
        std::vector<QByteArray> kept, expected;
        for (int i = 0; i < candidates.count(); ++i)
            kept.push_back(candidates.get(i));
        for (const QByteArray& cell : texts)
            if (keyOf(cell) != keyOf(winner))
                expected.push_back(lineOf(cell));
        EXPECT_EQ(kept, expected) << winner.toHex().constData();
    }
}

TEST(RulesAtStop, ManyNightsWithRulesDrawWhatTheRulesAllowByTheClockRule)
{
    QRandomGenerator random(22);
    for (int night = 0; night < 12; ++night) {
        DrawHarness draw;
        const int departments = 2 + static_cast<int>(random.bounded(4));
        const std::vector<QByteArray> staff = staffWithDepartments(40, departments);
        draw.setParticipants(staff);
        draw.dir.writeFile(column_titles_file::kFileName, G("姓名\t部门\t工号\r\n"));
        draw.settings.countTexts = {"", "", "", "", "6", "8"};
        draw.options.batchSizes = {
            1, 1, 1, 1, 1 + int(random.bounded(4)), 1 + int(random.bounded(6))};

        DrawRules rules;
        const QByteArray boss = G("部门0");
        rules.levels[G("四等奖")].conditions.push_back({G("部门"), false, {boss}});
        const int capMost = 1 + static_cast<int>(random.bounded(3));
        rules.levels[G("五等奖")].cap = {G("第2列"), capMost};
        if (random.bounded(2))
            rules.excluded = {G("工号"), {"A1003", "A1005", "A1010"}};
        writeRules(rules);

        std::vector<QByteArray> recorded;
        std::map<QByteArray, std::map<QByteArray, int>> perGroup;
        for (int stop = 0; stop < 8 && draw.status.phase != DrawStatus::Phase::Complete; ++stop) {
            draw.setPickSeconds(1000000000 + random.bounded(100000));
            draw.click();
            const bool fifth = draw.status.level == PrizeLevel::Fifth;
            const QByteArray level = fifth ? G("五等奖") : G("四等奖");
            if (draw.status.phase == DrawStatus::Phase::Rolling) {
                EXPECT_EQ(draw.status.rules, levelRulesText(rules, level)) << "on the board";
            }
            std::vector<QByteArray> candidates;
            for (const QByteArray& line : staff)
                if (std::find(recorded.begin(), recorded.end(), line) == recorded.end())
                    candidates.push_back(line);
            const auto passes = [&](const QByteArray& line) {
                if (rules.excluded.values.size() &&
                    std::count(rules.excluded.values.begin(), rules.excluded.values.end(),
                               cellAt(line, 2)))
                    return false;
                return fifth || cellAt(line, 1) != boss;
            };
            const int batch = draw.status.batch;
            const std::vector<QByteArray> expected =
                expectedWinners(candidates, passes, fifth ? 1 : -1, capMost, perGroup[level], batch,
                                toDateTimeValue(draw.fakes.clock.time));
            draw.click();
            if (expected.empty()) {
                ASSERT_FALSE(draw.surface.notices.empty()) << "night " << night;
                EXPECT_TRUE(draw.surface.notices.back().text.contains(gbk::decode(level)));
                break;
            }
            ASSERT_EQ(draw.status.winners, expected) << "night " << night << " stop " << stop;
            EXPECT_EQ(static_cast<int>(expected.size()), batch) << "the board announced more";

            for (const QByteArray& winner : expected) {
                recorded.push_back(winner);
                ++perGroup[level][cellAt(winner, 1)];
            }
        }
        const QByteArray history = draw.dir.readFile(draw_history::kFileName);
        EXPECT_TRUE(history.contains(G(" 本次规则\t五等奖\t本奖项：每第2列最多 ")));
    }
}

TEST(RulesAtStop, ALevelLeftWithNobodyIsNoticedAndOtherLevelsStillDraw)
{
    DrawHarness draw;
    draw.setParticipants(staffWithDepartments(10, 2));
    draw.settings.countTexts = {"1", "", "", "", "", "2"};
    DrawRules rules;
    rules.levels[G("五等奖")].conditions.push_back({G("第2列"), true, {G("财务部")}});
    writeRules(rules);
    draw.click();
    ASSERT_EQ(draw.surface.notices.size(), 1u) << "at the Start: nothing rolls";
    EXPECT_EQ(
        draw.surface.notices[0].text,
        QStringLiteral("【五等奖按抽奖规则已没有可以中奖的人！】\r\n本奖项：仅限第2列为财务部\r\n"
                       "请从【系统设置=>抽奖规则】修改规则，或先抽取其他奖项。"));
    EXPECT_EQ(draw.resultsFile(), QByteArray()) << "nothing recorded";

    draw.options.chosenLevel = PrizeLevel::Grand;
    draw.startAndStop();
    EXPECT_TRUE(draw.resultsFile().startsWith(G("特等奖：")));

    // A column the list does not have stops the level, it is not read as the whole line.
    rules.levels[G("五等奖")].conditions = {{G("部门"), false, {G("部门1")}}};
    writeRules(rules);
    draw.click();
    ASSERT_EQ(draw.surface.notices.size(), 2u);
    EXPECT_TRUE(draw.surface.notices[1].text.contains(QStringLiteral("“部门”列")));
}

TEST(RulesAtStop, RulesSavedWhileTheNamesRollHoldAtThatStop)
{
    DrawHarness draw;
    draw.setParticipants(staffWithDepartments(10, 2));
    draw.settings.countTexts = {"", "", "", "", "", "3"};
    draw.options.batchSizes[5] = 3;
    draw.click();
    EXPECT_EQ(draw.participants.count(), 10);
    EXPECT_TRUE(draw.status.rules.isEmpty());
    DrawRules rules;
    rules.levels[G("五等奖")].cap = {G("第2列"), 1};
    writeRules(rules);
    draw.click();
    ASSERT_EQ(draw.status.winners.size(), 2u) << "two departments, one each";
    EXPECT_NE(cellAt(draw.status.winners[0], 1), cellAt(draw.status.winners[1], 1));
    draw.click();
    EXPECT_EQ(draw.surface.notices.size(), 1u) << "both departments are full";
}
