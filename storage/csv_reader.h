#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values as RFC 4180 writes them: fields in double quotes
// may hold the separator, line breaks and doubled quotes. The separator is a
// comma unless the first record has more semicolons (or tabs) outside quotes,
// as spreadsheets set to a decimal comma write them. Lenient where the RFC
// is strict: any of CR LF, LF and CR ends a record, and a quote inside an
// unquoted field is kept as it stands.
namespace csv_reader {

QChar detectSeparator(const QString& text);
QList<QStringList> parse(const QString& text, QChar separator);
QList<QStringList> parse(const QString& text);

} // namespace csv_reader
