#pragma once

#include <QByteArray>
#include <QString>

class QPlainTextEdit;
class QTextDocument;

// The lines of the on-screen results list. A line of any length goes in, but
// a very long one is shown shortened: laying out a megabyte-long line with
// word wrap takes the window seconds at every winner. The whole line stays
// with the shown one and is what the saved results hold, unless the operator
// has edited that line since.
namespace results_list_lines {

// Lines up to this many characters are shown whole.
inline constexpr qsizetype kShownCharacters = 1000;

// The line as the list shows it: itself, or its beginning and an ellipsis.
QString shownLine(const QString& line);

void append(QPlainTextEdit& list, const QString& line);

// The saved-results text: every line as it stands, whole, each followed by
// CR LF, in GBK; an empty list gives no bytes.
QByteArray savedResults(const QTextDocument& document);

} // namespace results_list_lines
