#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class QPlainTextEdit;
class QPoint;
class QTextBlock;
class QTextDocument;

// The lines of the on-screen results list. A line of any length goes in, but
// a very long one is shown shortened: laying out a megabyte-long line with
// word wrap takes the window seconds at every winner. The whole line stays
// with the shown one and is what the saved results hold, unless the operator
// has edited that line since. Tabs show as gaps (base/screen_text.h) and go
// back into the saved line as tabs.
namespace results_list_lines {

// Lines up to this many characters are shown whole.
inline constexpr qsizetype kShownCharacters = 1000;

// The line as the list shows it, tabs as gaps: itself, or its beginning and
// an ellipsis.
QString shownLine(const QString& line);

void append(QPlainTextEdit& list, const QString& line);
// The whole line kept behind what the audience may see of it (its personal
// numbers masked, some columns left out); the saved results hold the whole.
void append(QPlainTextEdit& list, const QString& line, const QString& seen);

// A line of the list, whole: a shortened line as it went in, with whatever
// was added after it since; an edited line as it stands, its gaps tabs again.
QString wholeLine(const QTextBlock& block);
std::vector<QString> wholeLines(const QTextDocument& document);

// The line under a point of the list's viewport; -1 below the last line,
// where a click names no line.
int lineAt(const QPlainTextEdit& list, const QPoint& viewportPoint);

// The saved-results text: every line as it stands, whole, each followed by
// CR LF, in GBK; an empty list gives no bytes.
QByteArray savedResults(const QTextDocument& document);

} // namespace results_list_lines
