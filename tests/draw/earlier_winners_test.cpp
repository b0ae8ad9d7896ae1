#include "draw/earlier_winners.h"
#include "storage/text_line_list.h"
#include "support/gbk_literals.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<QByteArray>;

Lines afterRemoval(const Lines& participants, const Lines& winners)
{
    TextLineList list;
    for (const QByteArray& line : participants)
        list.add(line);
    TextLineList results;
    for (const QByteArray& winner : winners)
        results.add(G("五等奖：") + winner);
    removeEarlierWinners(list, results);
    return list.copyLines();
}

TEST(EarlierWinners, ExactBytesWinOverCaseVariants)
{
    EXPECT_EQ(afterRemoval({"Bob", "bob", "Dave"}, {"bob"}), (Lines{"Bob", "Dave"}));
    EXPECT_EQ(afterRemoval({"Bob", "bob", "Dave"}, {"BOB"}), (Lines{"bob", "Dave"}));
    EXPECT_EQ(afterRemoval({G("张三ａ"), G("李四")}, {G("张三Ａ")}), (Lines{G("李四")}));
}

TEST(EarlierWinners, EqualLinesAreDifferentPeople)
{
    EXPECT_EQ(afterRemoval({"A", "B", "A"}, {"A"}), (Lines{"B", "A"}));
    EXPECT_EQ(afterRemoval({"A", "B", "A"}, {"A", "A"}), (Lines{"B"}));
    // More recorded than listed: the extra one is skipped.
    EXPECT_EQ(afterRemoval({"A", "B"}, {"A", "A"}), (Lines{"B"}));
    // An exact copy and a case variant recorded: each takes its own line.
    EXPECT_EQ(afterRemoval({"a", "A", "C"}, {"a", "a"}), (Lines{"C"}));
}

TEST(EarlierWinnersLookup, BlanksAroundTheLineFallBackToTheStrippedText)
{
    EXPECT_EQ(afterRemoval({"Carol ", "Dave"}, {"Carol "}), (Lines{"Dave"}));
    EXPECT_EQ(afterRemoval({"Carol", "Dave"}, {" carol\t"}), (Lines{"Dave"}));
    EXPECT_EQ(afterRemoval({"Carol ", "Dave"}, {"Carol"}), (Lines{"Carol ", "Dave"}));
}

TEST(EarlierWinnersLookup, AWinnerNoLongerListedIsSkipped)
{
    EXPECT_EQ(afterRemoval({"A", "B"}, {"Eve", "B"}), (Lines{"A"}));
    EXPECT_EQ(afterRemoval({"A", ""}, {""}), (Lines{"A"}));
    EXPECT_EQ(afterRemoval({"A"}, {""}), (Lines{"A"}));
}

TEST(EarlierWinnersLookup, ResultsLinesWithoutALabelStillCountAsWinners)
{
    TextLineList list;
    for (const char* line : {"A", "xyzB", "C"})
        list.add(line);
    TextLineList results;
    results.add("12345678C");
    results.add("short");
    removeEarlierWinners(list, results);
    EXPECT_EQ(list.copyLines(), (Lines{"A", "xyzB"}));
}

} // namespace
