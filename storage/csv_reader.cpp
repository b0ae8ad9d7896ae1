#include "storage/csv_reader.h"

#include <utility>

namespace csv_reader {

QChar detectSeparator(QStringView text)
{
    int commas = 0;
    int semicolons = 0;
    int tabs = 0;
    bool quoted = false;
    for (const QChar character : text) {
        if (character == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (character == u'\n' || character == u'\r')
            break;
        else if (character == u',')
            ++commas;
        else if (character == u';')
            ++semicolons;
        else if (character == u'\t')
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return u';';
    if (tabs > commas)
        return u'\t';
    return u',';
}

QChar detectSeparator(const QString& text)
{
    return detectSeparator(QStringView(text));
}

void Parser::appendToField(QStringView characters)
{
    recordCharacters_ += characters.size();
    if (recordCharacters_ > sink_.maxLineCharacters()) {
        sink_.rowTooLong(recordNumber_);
        stopped_ = true;
        return;
    }
    field_ += characters;
}

void Parser::endField()
{
    // The cell takes the field's characters and the field the strings of
    // the cell it replaces, room and all: rows of the same shape allocate
    // nothing.
    if (fieldsInRecord_ < record_.size())
        record_[fieldsInRecord_].swap(field_);
    else
        record_.append(std::exchange(field_, QString()));
    ++fieldsInRecord_;
    field_.truncate(0);
    fieldStarted_ = true;
    ++recordCharacters_; // the separator or the break
}

void Parser::endRecord()
{
    endField();
    if (record_.size() > fieldsInRecord_)
        record_.resize(fieldsInRecord_);
    if (!sink_.addRow(record_, recordNumber_))
        stopped_ = true;
    fieldsInRecord_ = 0;
    recordCharacters_ = 0;
    fieldStarted_ = false;
    ++recordNumber_;
}

bool Parser::feed(QStringView text)
{
    const qsizetype size = text.size();
    qsizetype at = 0;
    while (at < size && !stopped_) {
        const QChar character = text[at];
        if (afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            if (character == u'\n') {
                ++at;
                continue;
            }
        }
        if (quoteInQuotes_) {
            quoteInQuotes_ = false;
            if (character == u'"') {
                appendToField(u"\"");
                ++at;
                continue;
            }
            inQuotes_ = false;
        }
        if (inQuotes_) {
            qsizetype end = text.indexOf(u'"', at);
            if (end < 0)
                end = size;
            appendToField(text.sliced(at, end - at));
            quoteInQuotes_ = end < size;
            at = std::min(end + 1, size);
        } else if (character == u'"' && field_.isEmpty()) {
            inQuotes_ = true;
            fieldStarted_ = true;
            ++at;
        } else if (character == separator_) {
            endField();
            ++at;
        } else if (character == u'\r' || character == u'\n') {
            endRecord();
            afterCarriageReturn_ = character == u'\r';
            ++at;
        } else {
            // A run of plain characters; a quote inside the field is one.
            qsizetype end = at + 1;
            while (end < size && text[end] != separator_ && text[end] != u'\r' &&
                   text[end] != u'\n')
                ++end;
            appendToField(text.sliced(at, end - at));
            fieldStarted_ = true;
            at = end;
        }
    }
    return !stopped_;
}

bool Parser::finish()
{
    if (stopped_)
        return false;
    // A final record without a break; a break at the very end adds none.
    if (fieldStarted_ || !field_.isEmpty() || fieldsInRecord_ > 0)
        endRecord();
    return !stopped_;
}

QList<QStringList> parse(const QString& text, QChar separator)
{
    RowCollector records;
    Parser parser(separator, records);
    parser.feed(text);
    parser.finish();
    return records.rows;
}

QList<QStringList> parse(const QString& text)
{
    return parse(text, detectSeparator(text));
}

} // namespace csv_reader
