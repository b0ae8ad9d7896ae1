#include "ui/main_window/results_list_lines.h"

#include "base/gbk.h"
#include "base/screen_text.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextBlockUserData>
#include <QTextDocument>

namespace results_list_lines {

namespace {

// The whole line behind one shown otherwise (shortened, its tabs as gaps);
// the document owns it.
class WholeLine : public QTextBlockUserData
{
  public:
    WholeLine(QString whole, QString shown) : whole(std::move(whole)), shown(std::move(shown)) {}
    const QString whole;
    const QString shown;
};

} // namespace

QString shownLine(const QString& line)
{
    if (line.size() <= kShownCharacters)
        return screen_text::withGaps(line);
    qsizetype cut = kShownCharacters;
    if (line.at(cut - 1).isHighSurrogate())
        --cut; // never half a character
    return screen_text::withGaps(line.left(cut)) + QChar(0x2026);
}

void append(QPlainTextEdit& list, const QString& line)
{
    append(list, line, line);
}

void append(QPlainTextEdit& list, const QString& line, const QString& seen)
{
    const QString shown = shownLine(seen);
    list.appendPlainText(shown);
    if (shown != line)
        list.document()->lastBlock().setUserData(new WholeLine(line, shown));
}

QString wholeLine(const QTextBlock& block)
{
    const auto* whole = static_cast<const WholeLine*>(block.userData());
    const QString text = block.text();
    // Text added after the shortened line (a void mark) stays after it.
    if (whole && text.startsWith(whole->shown))
        return whole->whole + text.mid(whole->shown.size());
    return whole ? screen_text::withTabs(text) : text;
}

std::vector<QString> wholeLines(const QTextDocument& document)
{
    std::vector<QString> lines;
    if (document.isEmpty())
        return lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines.push_back(wholeLine(block));
    return lines;
}

int lineAt(const QPlainTextEdit& list, const QPoint& viewportPoint)
{
    const QTextCursor cursor = list.cursorForPosition(viewportPoint);
    QTextCursor lineEnd = cursor;
    lineEnd.movePosition(QTextCursor::EndOfBlock);
    if (viewportPoint.y() > list.cursorRect(lineEnd).bottom())
        return -1;
    return cursor.blockNumber();
}

QByteArray savedResults(const QTextDocument& document)
{
    QByteArray content;
    for (const QString& line : wholeLines(document))
        content += gbk::encode(line) + "\r\n";
    return content;
}

} // namespace results_list_lines
