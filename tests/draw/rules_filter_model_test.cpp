#include "draw/draw_clock.h"
#include "draw/participant_columns.h"
#include "draw/rules_at_stop.h"
#include "storage/case_fold.h"
#include "storage/text_line_list.h"
#include "support/gbk_literals.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>

// Random lists under random rules, against the rules applied by hand: cells
// of every length (the short lines, the lines split by 16-byte blocks and the
// long ones), blanks to strip, missing cells, letters of either case, GBK
// letters and cells over 16 bytes. Who is kept and who a capped batch picks
// must be exactly what the plain filter says.
TEST(RulesAtStop, RandomListsUnderRandomRulesKeepAndPickWhatAPlainFilterDoes)
{
    QRandomGenerator random(22);
    const std::vector<QByteArray> pieces = {"a",         "A",        "7",       "100234", " ",
                                            "\x05",      "xyzXYZ01", G("部门"), G("ａ"),  G("Ａ"),
                                            G("总经办"), G("αΑ"),    "\x81\x41"};
    const auto text = [&](int most) {
        QByteArray cell;
        for (int n = random.bounded(most + 1); n > 0; --n)
            cell += pieces[random.bounded(int(pieces.size()))];
        return cell;
    };
    const int kColumns = 4;
    const ParticipantColumns columns(G("甲\t乙\t丙\t丁"), kColumns);
    const QByteArray level = G("一等奖");
    const auto key = [](const QByteArray& cell) { return caseFoldKey(cell.trimmed()); };
    for (int round = 0; round < 300; ++round) {
        std::vector<QByteArray> lines(40);
        for (QByteArray& line : lines)
            for (int cell = 1 + random.bounded(kColumns + 1); cell > 0; --cell)
                line += text(random.bounded(2) ? 2 : 6) + (cell > 1 ? "\t" : "");
        const auto anyCell = [&] {
            const QByteArray& line = lines[random.bounded(int(lines.size()))];
            return random.bounded(4) ? cellAt(line, random.bounded(kColumns)) : text(2);
        };
        const auto columnName = [&] { return numberedColumnName(random.bounded(kColumns)); };
        const auto someValues = [&] {
            std::vector<QByteArray> values(1 + random.bounded(3));
            for (QByteArray& value : values)
                value = random.bounded(2) ? anyCell().toUpper() : anyCell();
            return values;
        };
        DrawRules rules;
        rules.excluded = {random.bounded(4) ? columnName() : QByteArray(), someValues()};
        if (random.bounded(2))
            rules.signedIn = {columnName(), someValues()};
        rules.levels[level].conditions.push_back(
            {columnName(), random.bounded(2) == 0, someValues()});
        const int capColumn = random.bounded(2) ? random.bounded(kColumns) : -1;
        if (capColumn >= 0)
            rules.levels[level].cap = {numberedColumnName(capColumn), 1 + random.bounded(2)};
        TextLineList results;
        std::map<QByteArray, int> perGroup;
        for (int i = random.bounded(4); i > 0; --i) {
            const QByteArray winner = lines[random.bounded(int(lines.size()))];
            results.add(level + G("：") + winner);
            if (capColumn >= 0)
                ++perGroup[key(cellAt(winner, capColumn))];
        }

        const auto listed = [&](const ValueList& list, const QByteArray& line) {
            const QByteArray cell = list.column.isEmpty()
                                        ? cellAt(line, -1)
                                        : cellAt(line, columns.indexOf(list.column));
            for (const QByteArray& value : list.values)
                if (key(value) == key(cell))
                    return true;
            return false;
        };
        std::vector<QByteArray> expected;
        for (const QByteArray& line : lines) {
            const Condition& condition = rules.levels[level].conditions.front();
            const bool passes =
                !listed(rules.excluded, line) &&
                (rules.signedIn.isEmpty() || listed(rules.signedIn, line)) &&
                listed({condition.column, condition.values}, line) == condition.is &&
                (capColumn < 0 ||
                 perGroup[key(cellAt(line, capColumn))] < rules.levels[level].cap.most);
            if (passes)
                expected.push_back(line);
        }
        TextLineList candidates;
        for (const QByteArray& line : lines)
            candidates.add(line);
        RulesAtStop atStop(rules, level, columns);
        atStop.keepOnlyCandidates(candidates, results);
        ASSERT_EQ(candidates.copyLines(), expected) << "round " << round;

        // A batch of three by the clock rule, a group leaving once full.
        const double clock = 46000.0 + random.bounded(1000) / 7.0;
        std::vector<QByteArray> left = expected;
        std::vector<QByteArray> picked;
        while (picked.size() < 3 && !left.empty()) {
            const auto index = static_cast<size_t>(winnerIndex(clock, qint64(left.size())));
            picked.push_back(left[index]);
            left.erase(left.begin() + static_cast<long>(index));
            if (capColumn < 0)
                continue;
            const QByteArray group = key(cellAt(picked.back(), capColumn));
            if (++perGroup[group] >= rules.levels[level].cap.most)
                left.erase(std::remove_if(left.begin(), left.end(),
                                          [&](const QByteArray& line) {
                                              return key(cellAt(line, capColumn)) == group;
                                          }),
                           left.end());
        }
        std::vector<QByteArray> drawn;
        for (int position : atStop.pick(candidates, 3, [&] { return clock; }))
            drawn.push_back(candidates.get(position));
        ASSERT_EQ(drawn, picked) << "round " << round;
    }
}
