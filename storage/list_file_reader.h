#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A participant list from a file of the operator's choice: an .xlsx
// workbook (its first worksheet), a CSV file or a text file with one
// participant per line. Each row becomes one participant line: its non-empty
// cells joined by a tab, as a paste from a spreadsheet gives them.
namespace list_file_reader {

enum class Problem {
    None,
    CannotOpen,  // missing, no permission, or not a regular file
    Encrypted,   // a workbook with a password, or the older binary format
    NotReadable, // damaged, or named .xlsx without being a workbook
    Binary,      // text or CSV by its name, binary by its content
    Empty,       // readable, but without a single participant
};

struct ListFile
{
    Problem problem = Problem::None;
    QString reason; // the system's words for CannotOpen
    QStringList lines;
    bool firstLineLooksLikeTitles = false;
};

// Files beyond this are no participant list; they are refused unread.
inline constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

ListFile read(const QString& path);
// The same from bytes already read; the name's suffix tells CSV from text.
ListFile fromBytes(const QByteArray& bytes, const QString& fileName);

// A row's non-empty cells joined by tabs; breaks and tabs inside a cell
// become blanks, since a participant is one line.
QString participantLine(const QStringList& cells);
ListFile fromRows(const QList<QStringList>& rows);

} // namespace list_file_reader
