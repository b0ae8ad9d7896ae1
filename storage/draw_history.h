#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The draw history: every recorded winner, with its time, in a file beside the
// working files that nothing in the program empties or rewrites, so the record
// of a party survives a restart, a crash, an Initialize or a settings save.
namespace draw_history {

inline constexpr char kFileName[] = "rafflixhistory.txt";

// "yyyy-MM-dd HH:mm:ss" TAB results line (label and participant line).
QByteArray winnerLine(const QDateTime& at, const QByteArray& resultsLine);

// Appends the line and its CR LF to the file with one write, so a line is
// either all there or not there. A file left ending in a partial line gets a
// CR LF first, in the same write, so the new line stays whole. Returns false
// when the file cannot be written (read-only, a directory, a full disk).
bool appendLine(const QString& path, const QByteArray& line);

} // namespace draw_history
