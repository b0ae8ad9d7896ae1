// The removal of earlier winners through its indexes, held against the rule
// it implements, applied the slow way.

#include "draw/earlier_winners.h"
#include "storage/case_fold.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"
#include "support/gbk_literals.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<QByteArray>;

TextLineList listOf(const Lines& lines)
{
    TextLineList list;
    for (const QByteArray& line : lines)
        list.add(line);
    return list;
}

Lines afterRemoval(const Lines& participants, const Lines& winners)
{
    TextLineList list = listOf(participants);
    TextLineList results;
    for (const QByteArray& winner : winners)
        results.add(G("五等奖：") + winner);
    removeEarlierWinners(list, results);
    return list.copyLines();
}

// The rule, one results line at a time: the first line not yet taken with
// the same bytes, else the first with the same folded text, else the first
// equal to the stripped text when folded.
Lines removedTheSlowWay(const Lines& participants, const Lines& resultsLines)
{
    std::vector<bool> taken(participants.size(), false);
    auto takeFirst = [&](auto matches) {
        for (size_t i = 0; i < participants.size(); ++i) {
            if (!taken[i] && matches(participants[i])) {
                taken[i] = true;
                return true;
            }
        }
        return false;
    };
    for (const QByteArray& line : resultsLines) {
        const QByteArray recorded = results_format::recordedWinner(line);
        const QByteArray folded = caseFoldKey(recorded);
        const QByteArray strippedFolded = caseFoldKey(results_format::strippedWinner(line));
        takeFirst([&](const QByteArray& p) { return p == recorded; }) ||
            takeFirst([&](const QByteArray& p) { return caseFoldKey(p) == folded; }) ||
            takeFirst([&](const QByteArray& p) { return caseFoldKey(p) == strippedFolded; });
    }
    Lines kept;
    for (size_t i = 0; i < participants.size(); ++i)
        if (!taken[i])
            kept.push_back(participants[i]);
    return kept;
}

TEST(EarlierWinnersIndex, ACaseVariantAfterExactWinnersSkipsTheLinesTheyTook)
{
    // The folded index is built only for the second winner; the line the
    // first one took must not be handed out again.
    EXPECT_EQ(afterRemoval({"bob", "BOB", "x"}, {"bob", "Bob"}), (Lines{"x"}));
    EXPECT_EQ(afterRemoval({"bob", "BOB", "x"}, {"Bob", "bob"}), (Lines{"x"}));
    EXPECT_EQ(afterRemoval({"BOB", "bob", "x"}, {"bob", "Bob"}), (Lines{"x"}));
}

TEST(EarlierWinnersIndex, CaseVariantsTakeTheFirstLinesInListOrder)
{
    EXPECT_EQ(afterRemoval({"x", "Carol", "CAROL", "carol", "CaRoL"}, {"cARoL"}),
              (Lines{"x", "CAROL", "carol", "CaRoL"}));
    EXPECT_EQ(afterRemoval({"x", "Carol", "CAROL", "carol", "CaRoL"}, {"cARoL", "caROL"}),
              (Lines{"x", "carol", "CaRoL"}));
    EXPECT_EQ(afterRemoval({G("张三 110X"), G("张三 110x")}, {G("张三 110x"), G("张三 110x")}),
              (Lines{}));
}

TEST(EarlierWinnersIndex, DuplicatesAreTakenInListOrderOnePerWinner)
{
    EXPECT_EQ(afterRemoval({"A", "b", "A", "c", "A", "A", "d", "A"}, {"A", "A", "A"}),
              (Lines{"b", "c", "A", "d", "A"}));
}

TEST(EarlierWinnersIndex, LinesAlikeAtTheEndAreStillToldApart)
{
    // Same length and the same last eight bytes: only the whole line decides.
    EXPECT_EQ(afterRemoval({"first 1234567890", "other 1234567890"}, {"other 1234567890"}),
              (Lines{"first 1234567890"}));
    EXPECT_EQ(afterRemoval({"ab", "b", "Ab"}, {"b", "aB"}), (Lines{"Ab"}));
}

TEST(EarlierWinnersIndex, AgreesWithTheRuleOnAMixedList)
{
    // Duplicates, case variants, lines with blanks around them, winners no
    // longer listed and results lines without a label, all mixed together.
    Lines participants;
    for (int i = 0; i < 600; ++i) {
        QByteArray line = G("员工") + QByteArray::number(i % 150);
        if (i % 7 == 0)
            line += " Ab";
        if (i % 5 == 0)
            line = line.toUpper();
        if (i % 13 == 0)
            line += ' ';
        participants.push_back(line);
    }
    Lines resultsLines;
    for (int i = 0; i < 400; ++i) {
        QByteArray winner = participants[static_cast<size_t>((i * 37) % 600)];
        if (i % 3 == 0)
            winner = winner.toLower();
        if (i % 11 == 0)
            winner = " " + winner + "\t";
        if (i % 17 == 0)
            winner = "gone " + QByteArray::number(i);
        resultsLines.push_back(i % 19 == 0 ? winner.left(8) : G("四等奖：") + winner);
    }
    TextLineList list = listOf(participants);
    removeEarlierWinners(list, listOf(resultsLines));
    EXPECT_EQ(list.copyLines(), removedTheSlowWay(participants, resultsLines));
    EXPECT_LT(list.count(), 400); // the mix did take lines
}

} // namespace
