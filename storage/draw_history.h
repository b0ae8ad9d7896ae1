#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The draw history: every recorded winner, with its time, in a file beside the
// working files that nothing in the program empties or rewrites, so the record
// of a party survives a restart, a crash, an Initialize or a settings save.
namespace draw_history {

inline constexpr char kFileName[] = "rafflixhistory.txt";

enum class Session { ProgramStart, Initialize };

// "yyyy-MM-dd HH:mm:ss" TAB results line (label and participant line).
QByteArray winnerLine(const QDateTime& at, const QByteArray& resultsLine);
// "==== yyyy-MM-dd HH:mm:ss 程序启动 ====" or "... 初始化 ====".
QByteArray sessionLine(const QDateTime& at, Session session);

// Appends the line and its CR LF to the file with one write, so a line is
// either all there or not there. A file left ending in a partial line gets a
// CR LF first, in the same write, so the new line stays whole. Returns false
// when the file cannot be written (read-only, a directory, a full disk).
bool appendLine(const QString& path, const QByteArray& line);

// The call sites' form: the history in the working folder; a failure is
// silent, since the results file stays the draw's record.
void recordWinner(const QDateTime& at, const QByteArray& resultsLine);
void recordSession(const QDateTime& at, Session session);

} // namespace draw_history
