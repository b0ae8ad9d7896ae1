#include "ui/settings_window/import_text.h"

#include "base/gbk.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <optional>

namespace import_text {

namespace {

// A block's lines with text, when it holds empty ones among lines joined by
// line separators (a long list from a file, or a separator pasted in). In the
// document's last block, an empty line after the last separator is the end
// of the text after a break, and stays.
std::optional<QString> filledLinesOnly(const QString& blockText, bool lastBlock)
{
    if (!blockText.contains(QChar::LineSeparator))
        return std::nullopt;
    const QList<QStringView> lines = QStringView(blockText).split(QChar::LineSeparator);
    const bool endsAfterBreak = lastBlock && lines.back().isEmpty();
    QString filled;
    for (QStringView line : lines) {
        if (line.isEmpty())
            continue;
        if (!filled.isEmpty())
            filled += QChar::LineSeparator;
        filled += line;
    }
    if (endsAfterBreak && !filled.isEmpty())
        filled += QChar::LineSeparator;
    if (filled == blockText)
        return std::nullopt;
    return filled;
}

} // namespace

void removeEmptyLines(QTextDocument& document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // From the end, so the blocks still to be examined keep their positions.
    for (QTextBlock block = document.lastBlock(); block.isValid();) {
        const QTextBlock previous = block.previous();
        const bool last = !block.next().isValid();
        if (const std::optional<QString> filled = filledLinesOnly(block.text(), last)) {
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
            if (filled->isEmpty())
                cursor.removeSelectedText();
            else
                cursor.insertText(*filled);
        }
        // An empty last block is not a line: it follows a break at the very end.
        if (!last && block.length() == 1) { // nothing but the break that ends it
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        block = previous;
    }
    cursor.endEditBlock();
}

QByteArray participantFileBytes(const QString& fieldText)
{
    // 0x0A is never part of a GBK double-byte character, so the breaks can be
    // widened after encoding.
    return gbk::encode(fieldText).replace('\n', "\r\n");
}

} // namespace import_text
