#include "ui/settings_window/import_text.h"

#include "base/gbk.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace import_text {

void removeEmptyLines(QTextDocument& document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // From the end, so the blocks still to be examined keep their positions.
    // An empty last block is not a line: it follows a break at the very end.
    for (QTextBlock block = document.lastBlock().previous(); block.isValid();) {
        const QTextBlock previous = block.previous();
        if (block.length() == 1) { // nothing but the break that ends it
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
