#include "storage/results_format.h"

#include "base/gbk.h"
#include "storage/extra_prizes.h"

#include <algorithm>

namespace results_format {

namespace {

const QByteArray& openBracket()
{
    static const QByteArray bracket = gbk::text("【");
    return bracket;
}
const QByteArray& closeBracket()
{
    static const QByteArray bracket = gbk::text("】");
    return bracket;
}

// The end of the bracketed name, stepping over GBK characters whole so a
// trail byte never pairs with the next lead byte; -1 when the line has none.
qsizetype nameEnd(const QByteArray& line)
{
    if (!line.startsWith(openBracket()))
        return -1;
    const qsizetype limit = std::min<qsizetype>(
        line.size() - 1, openBracket().size() + extra_prizes::kMaxNameBytes + 1);
    for (qsizetype at = openBracket().size(); at < limit;) {
        if (line[at] == closeBracket()[0] && line[at + 1] == closeBracket()[1])
            return at > openBracket().size() ? at : -1;
        at += static_cast<unsigned char>(line[at]) >= 0x81 ? 2 : 1;
    }
    return -1;
}

} // namespace

QByteArray extraPrizeLine(const QByteArray& name, const QByteArray& winner)
{
    return openBracket() + name + closeBracket() + winner;
}

QByteArray extraPrizeName(const QByteArray& resultsLine)
{
    const qsizetype end = nameEnd(resultsLine);
    return end < 0 ? QByteArray()
                   : resultsLine.mid(openBracket().size(), end - openBracket().size());
}

qsizetype labelBytes(const QByteArray& resultsLine)
{
    const qsizetype end = nameEnd(resultsLine);
    return end < 0 ? kLabelBytes : end + closeBracket().size();
}

QByteArray resultsLine(PrizeLevel level, const QByteArray& winner)
{
    return levelLabel(level) + winner;
}

QByteArray levelPrefix(const QByteArray& resultsLine)
{
    return resultsLine.left(kLevelPrefixBytes);
}

QByteArray recordedWinner(const QByteArray& resultsLine)
{
    const qsizetype label = labelBytes(resultsLine);
    return resultsLine.size() > label ? resultsLine.mid(label) : QByteArray();
}

QByteArray strippedWinner(const QByteArray& resultsLine)
{
    const QByteArray winner = recordedWinner(resultsLine);
    auto isBlankOrControl = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    qsizetype begin = 0;
    qsizetype end = winner.size();
    while (begin < end && isBlankOrControl(winner[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(winner[end - 1]))
        --end;
    return winner.mid(begin, end - begin);
}

} // namespace results_format
