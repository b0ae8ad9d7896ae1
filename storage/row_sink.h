#pragma once

#include <QList>
#include <QStringList>

#include <limits>

// Where a list file's reader puts the rows it finds as it finds them, so no
// file is held as a table of cells.
class RowSink
{
  public:
    virtual ~RowSink() = default;

    // A row's cells; `row` counts from 1 as a spreadsheet numbers its rows.
    // False when reading is to stop.
    virtual bool addRow(const QStringList& cells, qint64 row) = 0;
    // The longest line a row may make, in characters (its cells and the tabs
    // between them); a reader that sees a row grow past it calls rowTooLong()
    // and stops, without reading the rest of the row.
    virtual qsizetype maxLineCharacters() const = 0;
    virtual void rowTooLong(qint64 row) = 0;
    // Memory a reader keeps besides the rows (a workbook's string table);
    // false when it may not, and reading is to stop.
    virtual bool keep(qint64 bytes) = 0;
};

// Every row as read, without limits: for the readers' own callers.
class RowCollector : public RowSink
{
  public:
    bool addRow(const QStringList& cells, qint64) override
    {
        rows << cells;
        return true;
    }
    qsizetype maxLineCharacters() const override { return kUnlimited; }
    void rowTooLong(qint64) override {}
    bool keep(qint64) override { return true; }

    static constexpr qsizetype kUnlimited = std::numeric_limits<qsizetype>::max() / 4;
    QList<QStringList> rows;
};
