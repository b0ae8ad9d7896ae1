#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The draw history: every recorded winner, with its time, in a file beside the
// working files that nothing in the program empties or rewrites, so the record
// of a party survives a restart, a crash, an Initialize or a settings save.
// Every line begins with its time, "yyyy-MM-dd HH:mm:ss": a winner, void or
// withdrawn line as that time, a TAB and the rest; a separator line as
// "==== " time ' ' event " ====".
namespace draw_history {

inline constexpr char kFileName[] = "rafflixhistory.txt";

// What a separator line says began the round after it. HistoryBegins has no
// line: it is the round before the first separator.
enum class RoundStart { HistoryBegins, ProgramStart, Initialize, SettingsSave, NewRound };
enum class Resume { AfterRestart, AfterReset };

// time TAB results line (level label and participant line).
QByteArray winnerLine(const QDateTime& at, const QByteArray& resultsLine);
// time TAB "作废" TAB results line. A winner line never looks like it: its
// results line begins with a level label.
QByteArray voidLine(const QDateTime& at, const QByteArray& resultsLine);
// time TAB "撤回" TAB results line: a winner whose history line went in but
// whose results file could not be written (a full disk): it was never
// announced, so it leaves the round as if never drawn.
QByteArray withdrawnLine(const QDateTime& at, const QByteArray& resultsLine);
// "==== time 程序启动 ====", 初始化, 设置保存 or 新一轮.
QByteArray separatorLine(const QDateTime& at, RoundStart start);
// "==== time 继续上一轮 ====" or 恢复上一轮: the last round with winners goes on.
QByteArray resumeLine(const QDateTime& at, Resume resume);
// Written before anything else when the history was found ending in a cut
// line (a crash inside a write): the next append ends that line, and this
// one says it is not to be read.
QByteArray cutLineMarker(const QDateTime& at);

// One line read back, without its CR LF.
struct HistoryLine
{
    enum class Kind { Unknown, Winner, Voided, Withdrawn, RoundStarted, Resumed };
    Kind kind = Kind::Unknown;
    // The local date and time, kept as its parts: making a local QDateTime
    // asks the time zone, too slow for every line of a long history.
    QDate date;
    QTime time;
    QByteArray resultsLine; // of a winner, void or withdrawn line
    RoundStart start = RoundStart::HistoryBegins;
    Resume resume = Resume::AfterRestart;
};

// A line of no known form, or with no valid time, reads as Unknown.
HistoryLine readLine(const QByteArray& line);
bool isCutLineMarker(const QByteArray& line);

// Appends the line and its CR LF to the file with one write, so a line is
// either all there or not there. A file left ending in a partial line gets a
// CR LF first, in the same write, so the new line stays whole. Returns false
// when the file cannot be written (read-only, a directory, a full disk).
bool appendLine(const QString& path, const QByteArray& line);

} // namespace draw_history
