#include "storage/csv_reader.h"

namespace csv_reader {

QChar detectSeparator(const QString& text)
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

QList<QStringList> parse(const QString& text, QChar separator)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false; // the record has at least one field so far
    const qsizetype size = text.size();

    auto endField = [&] {
        record << field;
        field.clear();
        fieldStarted = true;
    };
    auto endRecord = [&] {
        endField();
        records << record;
        record.clear();
        fieldStarted = false;
    };

    for (qsizetype at = 0; at < size; ++at) {
        const QChar character = text[at];
        if (inQuotes) {
            if (character != u'"') {
                field += character;
            } else if (at + 1 < size && text[at + 1] == u'"') {
                field += u'"';
                ++at;
            } else {
                inQuotes = false;
            }
            continue;
        }
        if (character == u'"' && field.isEmpty()) {
            inQuotes = true;
            fieldStarted = true;
        } else if (character == separator) {
            endField();
        } else if (character == u'\r' || character == u'\n') {
            if (character == u'\r' && at + 1 < size && text[at + 1] == u'\n')
                ++at;
            endRecord();
        } else {
            field += character;
            fieldStarted = true;
        }
    }
    // A final record without a break; a break at the very end adds none.
    if (fieldStarted || !field.isEmpty() || !record.isEmpty())
        endRecord();
    return records;
}

QList<QStringList> parse(const QString& text)
{
    return parse(text, detectSeparator(text));
}

} // namespace csv_reader
