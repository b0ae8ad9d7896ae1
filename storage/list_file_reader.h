#pragma once

#include "storage/list_builder.h"
#include "storage/participant_lines.h"

#include <QList>
#include <QString>
#include <QStringList>

// A participant list from a file of the operator's choice: an .xlsx
// workbook (its first worksheet), a CSV file or a text file with one
// participant per line. Each row becomes one participant line: its non-empty
// cells joined by a tab, as a paste from a spreadsheet gives them.
//
// The file is read in one go and turned into lines as it is decoded or
// unpacked, never held as a table of cells.
namespace list_file_reader {

enum class Problem {
    None,
    CannotOpen,       // missing, no permission, or not a regular file
    Encrypted,        // a workbook with a password, or the older binary format
    NotReadable,      // damaged, or named .xlsx without being a workbook
    Binary,           // text or CSV by its name, binary by its content
    FileTooLarge,     // larger than kMaxFileBytes
    RowTooLong,       // a row longer than ListBuilder::kMaxLineCharacters
    UnpackedTooLarge, // a workbook part past ZipArchiveReader::kMaxMemberBytes
    ListTooLarge,     // lines that would take more memory than maxFieldBytes()
    Empty,            // readable, but without a single participant
    Cancelled,        // the block hand-off stopped reading
};

struct ListFile
{
    Problem problem = Problem::None;
    QString reason;             // the system's words for CannotOpen
    qint64 row = 0;             // RowTooLong: the row, counted as a spreadsheet counts
    qint64 limit = 0;           // the limit passed: characters or bytes
    ParticipantLines lines;     // with a block hand-off: the lines after the last block
    qint64 linesHandedOver = 0; // to the block hand-off, before `lines`
    bool firstLineLooksLikeTitles = false;
};

// Files beyond this are no participant list; they are refused unread.
inline constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

// What a file's lines may take in memory, so an import stays within 200 MB
// and three times the file's size: while the file is read, the lines as text
// and a workbook's string table, 160 MiB and twice the file; in the import
// field, the lines with what the field needs for each, 160 MiB and three
// times the file. A CSV or text file passes the first by its nature (a
// character takes at least a byte of the file and two as text); a list of a
// full worksheet, a million rows, passes both. A workbook that unpacks to
// more is a zip bomb; a file of millions of one-letter lines no list.
qint64 maxReadingBytes(qint64 fileBytes);
qint64 maxFieldBytes(qint64 fileBytes);

ListFile read(const QString& path);
// The same from bytes already read; the name's suffix tells CSV from text.
ListFile fromBytes(const QByteArray& bytes, const QString& fileName);
// The same with the lines of a text or CSV file handed over block by block
// while it is read, the last of them left in the result; the blocks of a
// file that is then refused were handed over all the same. A workbook's
// lines all come in the result, once its string table is gone.
ListFile read(const QString& path, const ListBuilder::BlockHandOff& handOff);
ListFile fromBytes(const QByteArray& bytes, const QString& fileName,
                   const ListBuilder::BlockHandOff& handOff);

ListFile fromRows(const QList<QStringList>& rows);

} // namespace list_file_reader
