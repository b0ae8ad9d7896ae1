#pragma once

#include "storage/row_sink.h"

#include <QString>
#include <QStringView>

// The rows of a text file, from text that arrives in pieces: each line a
// row, tabs between its cells, any of CR LF, LF and CR ending it. A line
// that grows past the sink's longest line is reported there and ends the
// reading.
class TextRowParser
{
  public:
    explicit TextRowParser(RowSink& sink) : sink_(sink) {}

    // False once the reading has stopped.
    bool feed(QStringView text);
    bool finish();

  private:
    void endLine();

    RowSink& sink_;
    QString line_;
    qint64 lineNumber_ = 1;
    bool afterCarriageReturn_ = false;
    bool stopped_ = false;
};
