// Whole draws on random files, held against a plain model of the list's
// rules: the split into lines, the removal of earlier winners and the pick.
// The model keeps one string per line and searches line by line, as the
// draw did before its lists became spans of one buffer; any winner that
// changes shows here.

#include "draw_harness.h"
#include "storage/case_fold.h"
#include "storage/prize_level.h"
#include "storage/results_format.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Lines = std::vector<QByteArray>;

// CR LF, a lone LF and a lone CR end a line; a zero byte ends the text.
Lines modelSplit(const QByteArray& text)
{
    Lines lines;
    qsizetype at = 0;
    while (at < text.size() && text[at] != '\0') {
        QByteArray line;
        while (at < text.size() && text[at] != '\r' && text[at] != '\n' && text[at] != '\0')
            line += text[at++];
        lines.push_back(line);
        if (at < text.size() && text[at] == '\r')
            ++at;
        if (at < text.size() && text[at] == '\n')
            ++at;
    }
    return lines;
}

// Each results line takes the first line not yet taken with its exact bytes,
// else the first equal to it case-insensitively, else the first equal to it
// with blanks stripped.
Lines modelCandidates(const Lines& participants, const Lines& results)
{
    std::vector<bool> taken(participants.size(), false);
    auto take = [&](auto matches) {
        for (size_t i = 0; i < participants.size(); ++i) {
            if (!taken[i] && matches(participants[i])) {
                taken[i] = true;
                return true;
            }
        }
        return false;
    };
    for (const QByteArray& line : results) {
        const QByteArray recorded = line.size() > 8 ? line.mid(8) : QByteArray();
        const QByteArray folded = caseFoldKey(recorded);
        const QByteArray stripped = caseFoldKey(results_format::strippedWinner(line));
        take([&](const QByteArray& p) { return p == recorded; }) ||
            take([&](const QByteArray& p) { return caseFoldKey(p) == folded; }) ||
            take([&](const QByteArray& p) { return caseFoldKey(p) == stripped; });
    }
    Lines kept;
    for (size_t i = 0; i < participants.size(); ++i)
        if (!taken[i])
            kept.push_back(participants[i]);
    return kept;
}

struct RandomFiles
{
    explicit RandomFiles(unsigned seed) : random(seed) {}

    QByteArray pick(const std::vector<const char*>& from) { return from[random() % from.size()]; }
    // Case variants, blanks around, a tab, empty lines, duplicates, GBK.
    QByteArray line()
    {
        static const std::vector<const char*> names{"ann",  "Ann",  "ANN",  "bo x", "Bo X", "",
                                                    " ann", "ann ", "c\td", "C\tD", "zz"};
        QByteArray text = pick(names);
        if (random() % 4 == 0)
            text += G("张三");
        return text;
    }
    QByteArray participantFile(int lines)
    {
        static const std::vector<const char*> breaks{"\r\n", "\n", "\r", "\n\r", "\r\r\n"};
        QByteArray text;
        for (int i = 0; i < lines; ++i)
            text += line() + (i + 1 < lines || random() % 2 ? pick(breaks) : QByteArray());
        if (random() % 10 == 0)
            text += QByteArray("\0ignored\r\n", 10);
        return text;
    }
    // Earlier winners, some in another case or with blanks, some of no level.
    Lines resultsLines(int count)
    {
        Lines lines;
        for (int i = 0; i < count; ++i) {
            QByteArray winner = line();
            if (random() % 3 == 0)
                winner = winner.toUpper();
            if (random() % 4 == 0)
                winner = " " + winner + "\t";
            lines.push_back(random() % 8 == 0 ? winner.left(5)
                                              : levelLabel(PrizeLevel::Fifth) + winner);
        }
        return lines;
    }

    std::mt19937 random;
};

TEST(WholeDrawModel, EveryWinnerOfRandomDrawsIsTheModels)
{
    int drawn = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE(seed);
        RandomFiles files(seed);
        DrawHarness draw;
        const int stops = 1 + static_cast<int>(files.random() % 4);
        Lines results = files.resultsLines(static_cast<int>(files.random() % 4));
        const int total = static_cast<int>(results.size()) + stops;
        const QByteArray participantFile =
            files.participantFile(total + 1 + static_cast<int>(files.random() % 12));
        const Lines participants = modelSplit(participantFile);
        draw.dir.writeFile("rafflixlist.txt", participantFile);
        QByteArray resultsFile;
        for (const QByteArray& line : results)
            resultsFile += line + "\r\n";
        draw.dir.writeFile("retotal.txt", resultsFile);
        const bool repeats = files.random() % 3 == 0;
        draw.settings.repeatText = repeats ? G("是") : G("否");
        draw.settings.countTexts = {"", "", "", "", "", QByteArray::number(total)};

        for (int stop = 0; stop < stops && participants.size() > size_t(total); ++stop) {
            draw.setPickSeconds(1000000000 + static_cast<qint64>(files.random() % 100000));
            draw.startAndStop();
            const Lines candidates =
                repeats ? participants : modelCandidates(participants, results);
            if (candidates.empty()) {
                EXPECT_EQ(draw.resultsFile(), resultsFile);
                break;
            }
            const qint64 seconds = draw.fakes.clock.time.toSecsSinceEpoch() - 8 * 3600;
            const QByteArray winner =
                candidates[static_cast<size_t>(seconds % static_cast<qint64>(candidates.size()))];
            results.push_back(levelLabel(PrizeLevel::Fifth) + winner);
            resultsFile += results.back() + "\r\n";
            EXPECT_EQ(draw.currentWinner, winner);
            ASSERT_EQ(draw.resultsFile(), resultsFile);
            ++drawn;
        }
    }
    EXPECT_GT(drawn, 150); // the draws did draw
}

TEST(WholeDrawModel, ALoadedListHoldsTheModelsLines)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        RandomFiles files(seed);
        ScopedWorkingDirectory dir;
        const QByteArray text = files.participantFile(static_cast<int>(files.random() % 30));
        dir.writeFile("list.txt", text);
        TextLineList list;
        list.add("before");
        list.load(QStringLiteral("list.txt"));
        EXPECT_EQ(list.copyLines(), modelSplit(text));
        // Lines added after a load, and a removal, keep the others whole.
        list.add(G("新的"));
        if (list.count() > 2)
            list.removePositions({0, list.count() - 2});
        Lines expected = modelSplit(text);
        expected.push_back(G("新的"));
        if (expected.size() > 2) {
            expected.erase(expected.end() - 2);
            expected.erase(expected.begin());
        }
        EXPECT_EQ(list.copyLines(), expected);
    }
}

} // namespace
