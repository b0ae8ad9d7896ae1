#include "draw/screen_privacy.h"

#include "base/gbk.h"

#include <QList>
#include <algorithm>

namespace screen_privacy {

namespace {

constexpr int kShortestMasked = 11;
constexpr int kLongFrom = 15;
constexpr int kKeptAtEnd = 4;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLeadByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

// The digit run from start: its length, an identity number's X included.
// GBK's trail bytes are never digits, so a byte scan finds only real digits.
qsizetype runLength(const QByteArray& text, qsizetype start)
{
    qsizetype end = start;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    if (end - start == 17 && end < text.size() && (text[end] == 'X' || text[end] == 'x'))
        ++end;
    return end - start;
}

QByteArray participantPart(const QByteArray& part, const ScreenPrivacy& privacy)
{
    const QByteArray chosen = chosenColumns(part, privacy.shownColumns);
    return privacy.maskNumbers ? maskedDigitRuns(chosen) : chosen;
}

// The end of the level label: just after the first full-width colon.
qsizetype labelEnd(const QByteArray& line)
{
    const QByteArray colon = gbk::text("：");
    for (qsizetype at = 0; at + 1 < line.size();) {
        if (line.mid(at, colon.size()) == colon)
            return at + colon.size();
        at += isLeadByte(line[at]) ? 2 : 1;
    }
    return 0;
}

} // namespace

QByteArray maskedDigitRuns(const QByteArray& text)
{
    QByteArray masked = text;
    for (qsizetype at = 0; at < masked.size();) {
        if (!isDigit(masked[at])) {
            ++at;
            continue;
        }
        const qsizetype length = runLength(masked, at);
        if (length >= kShortestMasked) {
            const qsizetype kept = length >= kLongFrom ? 6 : 3;
            for (qsizetype i = at + kept; i < at + length - kKeptAtEnd; ++i)
                masked[i] = '*';
        }
        at += length;
    }
    return masked;
}

QByteArray chosenColumns(const QByteArray& line, const std::vector<int>& columns)
{
    if (columns.empty())
        return line;
    const QList<QByteArray> cells = line.split('\t');
    QByteArray shown;
    bool any = false;
    for (int column : columns) {
        if (column < 0 || column >= cells.size())
            continue;
        if (any)
            shown += '\t';
        shown += cells[column];
        any = true;
    }
    return any ? shown : cells.first();
}

QByteArray shownParticipant(const QByteArray& line, const ScreenPrivacy& privacy)
{
    return privacy.showsEverything() ? line : participantPart(line, privacy);
}

QByteArray shownResultsListLine(const QByteArray& line, const ScreenPrivacy& privacy)
{
    if (privacy.showsEverything())
        return line;
    // The time's marker begins with a blank, never a trail byte: a byte search
    // finds it only where it really stands.
    const qsizetype timeAt = line.lastIndexOf(gbk::text(" 时间："));
    const qsizetype end = timeAt < 0 ? line.size() : timeAt;
    const qsizetype start = std::min(labelEnd(line), end);
    return line.left(start) + participantPart(line.mid(start, end - start), privacy) +
           line.mid(end);
}

bool holdsPersonalNumbers(const QByteArray& line)
{
    for (qsizetype at = 0; at < line.size();) {
        if (!isDigit(line[at])) {
            ++at;
            continue;
        }
        const qsizetype length = runLength(line, at);
        if (length == 18)
            return true;
        if (length == 11 && line[at] == '1' && line[at + 1] >= '3')
            return true;
        at += length;
    }
    return false;
}

} // namespace screen_privacy
