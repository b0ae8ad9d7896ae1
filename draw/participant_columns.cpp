#include "draw/participant_columns.h"

#include "base/gbk.h"
#include "storage/column_titles_file.h"

#include <QList>
#include <QtAlgorithms>
#include <algorithm>
#include <cstring>

namespace {

const QByteArray& numberedPrefix()
{
    static const QByteArray prefix = gbk::text("第");
    return prefix;
}

const QByteArray& numberedSuffix()
{
    static const QByteArray suffix = gbk::text("列");
    return suffix;
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// The first tab from `from`, or `end`. Eight bytes a step: a pass of the
// rules splits a million lines, and a tab is never part of a GBK character.
const char* nextTab(const char* from, const char* end)
{
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    constexpr quint64 kOnes = 0x0101010101010101ull;
    for (; end - from >= 8; from += 8) {
        quint64 word;
        std::memcpy(&word, from, 8);
        const quint64 tabsZeroed = word ^ (kOnes * '\t');
        // The lowest byte flagged is the first zero byte: flags from a borrow
        // only ever sit above a real one.
        const quint64 zeroBytes = (tabsZeroed - kOnes) & ~tabsZeroed & (kOnes * 0x80);
        if (zeroBytes)
            return from + (qCountTrailingZeroBits(zeroBytes) >> 3);
    }
#endif
    while (from < end && *from != '\t')
        ++from;
    return from;
}

} // namespace

QByteArray numberedColumnName(int index)
{
    return numberedPrefix() + QByteArray::number(index + 1) + numberedSuffix();
}

ParticipantColumns::ParticipantColumns(const QByteArray& titleLine, int cellCount)
{
    const QList<QByteArray> titles =
        titleLine.isEmpty() ? QList<QByteArray>() : titleLine.split('\t');
    const int count = std::max({1, cellCount, static_cast<int>(titles.size())});
    for (int i = 0; i < count; ++i) {
        const QByteArray title = i < titles.size() ? titles[i].trimmed() : QByteArray();
        names_.push_back(title.isEmpty() ? numberedColumnName(i) : title);
    }
}

ParticipantColumns ParticipantColumns::ofWorkingFolder(int cellCount)
{
    return ParticipantColumns(
        column_titles_file::read(QLatin1String(column_titles_file::kFileName)), cellCount);
}

int ParticipantColumns::indexOf(const QByteArray& name) const
{
    const auto found = std::find(names_.begin(), names_.end(), name);
    if (found != names_.end())
        return static_cast<int>(found - names_.begin());
    if (!name.startsWith(numberedPrefix()) || !name.endsWith(numberedSuffix()))
        return -1;
    const QByteArray digits = name.mid(
        numberedPrefix().size(), name.size() - numberedPrefix().size() - numberedSuffix().size());
    bool ok = false;
    const int number = digits.toInt(&ok);
    return ok && number >= 1 && digits.at(0) != '+' ? number - 1 : -1;
}

QByteArray cellView(QByteArrayView line, int index)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    if (index >= 0) {
        for (int i = 0; i < index; ++i) {
            begin = line.indexOf('\t', begin);
            if (begin < 0)
                return {};
            ++begin;
        }
        end = line.indexOf('\t', begin);
        if (end < 0)
            end = line.size();
    }
    while (begin < end && isBlank(line.at(begin)))
        ++begin;
    while (end > begin && isBlank(line.at(end - 1)))
        --end;
    return QByteArray::fromRawData(line.data() + begin, end - begin);
}

void cellViews(QByteArrayView line, int count, QByteArrayView* cells)
{
    const char* const end = line.data() + line.size();
    const char* begin = line.data();
    for (int i = 0; i < count; ++i) {
        if (!begin) {
            cells[i] = QByteArrayView(); // the line has fewer cells
            continue;
        }
        const char* cellEnd = nextTab(begin, end);
        const char* first = begin;
        while (first < cellEnd && isBlank(*first))
            ++first;
        const char* last = cellEnd;
        while (last > first && isBlank(last[-1]))
            --last;
        cells[i] = QByteArrayView(first, last - first);
        begin = cellEnd < end ? cellEnd + 1 : nullptr;
    }
}

QByteArray cellAt(const QByteArray& line, int index)
{
    const QByteArray view = cellView(line, index);
    return QByteArray(view.constData(), view.size());
}

int cellCountOf(const QByteArray& line)
{
    return static_cast<int>(line.count('\t')) + 1;
}
