#pragma once

#include "storage/row_sink.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// The rows of the first worksheet of an Office Open XML workbook (.xlsx):
// each row its non-empty cells in column order, rows without any left out.
// Shared and inline strings are read as text, numbers as the spreadsheet
// shows them (spreadsheet_number.h), formulas by their last computed value.
namespace xlsx_reader {

enum class Status {
    Ok,
    NotAWorkbook, // not a zip archive, or one without a worksheet
    Encrypted,    // a compound document: a workbook with a password, or an .xls
    Damaged,      // a worksheet or string table that cannot be unpacked or parsed
    TooLarge,     // a part that unpacks to more than ZipArchiveReader::kMaxMemberBytes
    Stopped,      // the sink stopped the reading
};

struct Result
{
    Status status = Status::Ok;
    QList<QStringList> rows;
};

// True for the first bytes of a compound document, the container of an
// encrypted workbook and of the older binary format.
bool isCompoundDocument(const QByteArray& bytes);
bool isZipArchive(const QByteArray& bytes);

// The rows into the sink as they are read: the worksheet and its string
// table are unpacked in pieces, never held whole. Rows a reading that did
// not end Ok gave are no list.
Status read(const QByteArray& workbookBytes, RowSink& sink);
Result read(const QByteArray& workbookBytes);

// The rows of a worksheet part, given the workbook's string table and
// styles parts (either may be empty); Damaged when a part does not parse.
Result readParts(const QByteArray& sheetXml, const QByteArray& sharedStringsXml,
                 const QByteArray& stylesXml, bool datesFrom1904 = false);

} // namespace xlsx_reader
