#include "base/line_splitting.h"

std::vector<QByteArray> splitIntoLines(const QByteArray& text)
{
    std::vector<QByteArray> lines;
    const char* const begin = text.constData();
    const char* const end = begin + text.size();
    const char* position = begin;
    while (position < end && *position != '\0') {
        const char* lineEnd = position;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n' && *lineEnd != '\0')
            ++lineEnd;
        lines.push_back(text.sliced(position - begin, lineEnd - position));
        position = lineEnd;
        if (position < end && *position == '\r')
            ++position;
        if (position < end && *position == '\n')
            ++position;
    }
    return lines;
}

QByteArray joinLinesWithCrLf(const std::vector<QByteArray>& lines)
{
    qsizetype size = 0;
    for (const QByteArray& line : lines)
        size += line.size() + 2;
    QByteArray text;
    text.reserve(size);
    for (const QByteArray& line : lines) {
        text.append(line);
        text.append("\r\n", 2);
    }
    return text;
}
