#include "storage/list_builder.h"

#include "storage/header_row.h"

#include <QRegularExpression>

namespace {

bool isBlank(const QString& cell)
{
    for (const QChar character : cell)
        if (!character.isSpace())
            return false;
    return true;
}

} // namespace

QString participantLine(const QStringList& cells)
{
    static const QRegularExpression breaksAndTabs(QStringLiteral("[\r\n\t]+"));
    QStringList kept;
    for (const QString& cell : cells) {
        if (isBlank(cell))
            continue;
        const bool hasBreaks = cell.contains(u'\n') || cell.contains(u'\r') || cell.contains(u'\t');
        kept << (hasBreaks ? QString(cell).replace(breaksAndTabs, QStringLiteral(" ")) : cell);
    }
    return kept.join(u'\t');
}

bool ListBuilder::addRow(const QStringList& cells, qint64 row)
{
    if (stop_ != Stop::None)
        return false;
    const QString line = participantLine(cells);
    if (line.isEmpty())
        return true;
    if (line.size() > kMaxLineCharacters) {
        rowTooLong(row);
        return false;
    }
    // As UTF-16, with its break.
    const qint64 text = 2 * (line.size() + 1);
    if (!keep(text) || !within(fieldUsed_, text + kFieldBytesPerLine, fieldLimit_))
        return false;
    if (lines_.isEmpty())
        firstLineLooksLikeTitles_ = looksLikeColumnTitles(cells);
    lines_.append(line);
    return true;
}

void ListBuilder::rowTooLong(qint64 row)
{
    if (stop_ != Stop::None)
        return;
    stop_ = Stop::RowTooLong;
    stopRow_ = row;
}

bool ListBuilder::keep(qint64 bytes)
{
    return within(readingUsed_, bytes, readingLimit_);
}

bool ListBuilder::within(qint64& used, qint64 bytes, qint64 limit)
{
    if (stop_ != Stop::None)
        return false;
    used += bytes;
    if (used > limit) {
        stop_ = Stop::TooMuchText;
        passedLimit_ = limit;
    }
    return stop_ == Stop::None;
}
