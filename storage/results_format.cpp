#include "storage/results_format.h"

namespace results_format {

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
    return resultsLine.size() > kLabelBytes ? resultsLine.mid(kLabelBytes) : QByteArray();
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
