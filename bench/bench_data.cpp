#include "bench_data.h"

#include "base/gbk.h"
#include "base/line_splitting.h"
#include "storage/prize_level.h"

#include <QFile>
#include <numeric>
#include <stdexcept>

namespace {

// Two-byte GBK units of the given characters.
std::vector<QByteArray> units(const char* utf8)
{
    const QByteArray bytes = gbk::text(utf8);
    std::vector<QByteArray> result;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        result.push_back(bytes.mid(i, 2));
    return result;
}

} // namespace

QByteArray participantLine(int i)
{
    static const std::vector<QByteArray> surnames =
        units("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹");
    static const std::vector<QByteArray> given =
        units("伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华玉兰萍红建国文");
    const auto unit = [](const std::vector<QByteArray>& from, qint64 n) {
        return from[static_cast<size_t>(n % static_cast<qint64>(from.size()))];
    };
    QByteArray line = unit(surnames, i) + unit(given, i / 31);
    if (i % 3 != 0)
        line += unit(given, i / 7 + 5);
    line += ' ';
    // Region, birth date, sequence number and check character; region and
    // sequence together are unique for every index.
    line += QByteArray::number(100000 + i / 1000);
    line += QByteArray::number(1960 + i % 40) +
            QByteArray::number(1 + i % 12).rightJustified(2, '0') +
            QByteArray::number(1 + i % 28).rightJustified(2, '0');
    line += QByteArray::number(i % 1000).rightJustified(3, '0');
    line += i % 11 == 10 ? QByteArray("X") : QByteArray::number(i % 10);
    return line;
}

std::vector<QByteArray> participantLines(int count)
{
    std::vector<QByteArray> lines;
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back(participantLine(i));
    return lines;
}

QByteArray participantFile(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += participantLine(i) + "\r\n";
    return text;
}

void writeParticipantFile(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    QByteArray piece;
    auto flush = [&] {
        if (file.write(piece) != piece.size())
            throw std::runtime_error("cannot write " + path.toStdString());
        piece.clear();
    };
    for (int i = 0; i < count; ++i) {
        piece += participantLine(i) + "\r\n";
        if (piece.size() >= 1024 * 1024)
            flush();
    }
    flush();
}

int maxBenchParticipants()
{
    bool ok = false;
    const int limit = qEnvironmentVariableIntValue("PRIZMORA_BENCH_MAX_PARTICIPANTS", &ok);
    return ok && limit > 0 ? limit : 10000000;
}

std::vector<int> scaleParticipantCounts()
{
    std::vector<int> counts;
    for (int count : {100000, 1000000, 5000000, 10000000})
        if (count <= maxBenchParticipants())
            counts.push_back(count);
    return counts;
}

QByteArray participantFileOfSize(qsizetype bytes)
{
    QByteArray text;
    text.reserve(bytes + 64);
    for (int i = 0; text.size() < bytes; ++i)
        text += participantLine(i) + "\r\n";
    return text;
}

std::vector<QByteArray> resultsLines(int participantCount, int recorded, RecordedAs form)
{
    std::vector<QByteArray> lines;
    const size_t count = static_cast<size_t>(participantCount);
    if (count == 0)
        return lines;
    const QByteArray label = levelLabel(PrizeLevel::Fifth);
    // A stride prime to the list size visits distinct lines in a scattered order.
    size_t stride = count / 2 + 1;
    while (std::gcd(stride, count) != 1)
        ++stride;
    size_t position = count / 3;
    for (size_t visited = 0; visited < count && static_cast<int>(lines.size()) < recorded;
         ++visited) {
        const QByteArray line = participantLine(static_cast<int>(position));
        position = (position + stride) % count;
        if (form == RecordedAs::ExactCopy)
            lines.push_back(label + line);
        else if (line.endsWith('X'))
            lines.push_back(label + line.chopped(1) + 'x');
    }
    return lines;
}

QByteArray fileBytes(const std::vector<QByteArray>& lines)
{
    return joinLinesWithCrLf(lines);
}
