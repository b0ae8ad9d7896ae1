#pragma once

#include "storage/row_sink.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Comma-separated values as RFC 4180 writes them: fields in double quotes
// may hold the separator, line breaks and doubled quotes. The separator is a
// comma unless the first record has more semicolons (or tabs) outside quotes,
// as spreadsheets set to a decimal comma write them. Lenient where the RFC
// is strict: any of CR LF, LF and CR ends a record, and a quote inside an
// unquoted field is kept as it stands.
namespace csv_reader {

QChar detectSeparator(QStringView text);
QChar detectSeparator(const QString& text);
QList<QStringList> parse(const QString& text, QChar separator);
QList<QStringList> parse(const QString& text);

// Records from text that arrives in pieces, each handed to the sink as it
// ends; a record that grows past the sink's longest line is reported there
// and ends the reading.
class Parser
{
  public:
    Parser(QChar separator, RowSink& sink) : separator_(separator), sink_(sink) {}

    // False once the reading has stopped.
    bool feed(QStringView text);
    bool finish();

  private:
    void appendToField(QStringView characters);
    void endField();
    void endRecord();

    QChar separator_;
    RowSink& sink_;
    QStringList record_; // its first fieldsInRecord_ cells are this record's
    qsizetype fieldsInRecord_ = 0;
    QString field_;
    qsizetype recordCharacters_ = 0;
    qint64 recordNumber_ = 1;
    bool inQuotes_ = false;
    bool quoteInQuotes_ = false;       // its meaning depends on the next character
    bool afterCarriageReturn_ = false; // a LF next belongs to it
    bool fieldStarted_ = false;        // the record has at least one field so far
    bool stopped_ = false;
};

} // namespace csv_reader
