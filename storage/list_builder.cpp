#include "storage/list_builder.h"

#include "storage/header_row.h"

namespace {

bool isBlank(const QString& cell)
{
    for (const QChar character : cell)
        if (!character.isSpace())
            return false;
    return true;
}

bool isBreakOrTab(QChar character)
{
    return character == u'\r' || character == u'\n' || character == u'\t';
}

// The cell with each run of breaks and tabs as one blank, appended in runs:
// a cell without any is one copy.
void appendCellOnOneLine(const QString& cell, QString& line)
{
    const QChar* const begin = cell.constData();
    const QChar* const end = begin + cell.size();
    const QChar* run = begin;
    while (run < end) {
        const QChar* stop = run;
        while (stop < end && !isBreakOrTab(*stop))
            ++stop;
        line.append(run, stop - run);
        if (stop == end)
            break;
        line.append(u' ');
        while (stop < end && isBreakOrTab(*stop))
            ++stop;
        run = stop;
    }
}

} // namespace

void appendParticipantLine(const QStringList& cells, QString& line)
{
    bool first = true;
    for (const QString& cell : cells) {
        if (isBlank(cell))
            continue;
        if (!first)
            line.append(u'\t');
        first = false;
        appendCellOnOneLine(cell, line);
    }
}

QString participantLine(const QStringList& cells)
{
    QString line;
    appendParticipantLine(cells, line);
    return line;
}

bool ListBuilder::addRow(const QStringList& cells, qint64 row)
{
    if (stop_ != Stop::None)
        return false;
    // One string for every row, its room kept: a million rows allocate a
    // line's worth, not a list of cells and a line each.
    QString& line = line_;
    line.truncate(0);
    appendParticipantLine(cells, line);
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
    return handOverFilledBlocks();
}

bool ListBuilder::handOverFilledBlocks()
{
    if (!handOff_)
        return true;
    const qsizetype held = lines_.size();
    std::vector<QString> filled = lines_.takeFilledBlocks();
    linesHandedOver_ += held - lines_.size();
    for (QString& block : filled)
        if (!handOff_(std::move(block))) {
            stop_ = Stop::Cancelled;
            return false;
        }
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
