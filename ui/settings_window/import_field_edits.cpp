#include "ui/settings_window/import_field_edits.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <malloc.h>
#include <utility>

namespace import_field_edits {

void clearUndoably(QPlainTextEdit& field)
{
    replaceUndoably(field, QString());
}

void replaceUndoably(QPlainTextEdit& field, const QString& text)
{
    QTextCursor cursor(field.document());
    cursor.select(QTextCursor::Document);
    if (text.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(text);
    cursor.movePosition(QTextCursor::Start);
    field.setTextCursor(cursor);
}

void replaceWithList(QPlainTextEdit& field, std::vector<QString> blocks)
{
    // Unrecorded: a million lines take the undo history some 60 MB.
    QTextDocument& document = *field.document();
    document.setUndoRedoEnabled(false);
    // Two things make the field give every line a layout of its own,
    // hundreds of bytes each: a vertical scroll bar that appears and narrows
    // it, and a first line that was the widest and is laid out again
    // narrower, for which it measures every line. So the scroll bar is there
    // before the long text goes in (and leaves afterwards only if the text
    // does not need it), and the old text goes first, a change of its own.
    const Qt::ScrollBarPolicy policy = field.verticalScrollBarPolicy();
    field.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QTextCursor cursor(&document);
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.beginEditBlock();
    for (QString& block : blocks) {
        cursor.insertText(std::exchange(block, QString()));
        // The block's memory goes back to the system at once rather than
        // staying with the process beside the field's copy of it.
        malloc_trim(0);
    }
    cursor.endEditBlock();
    field.setVerticalScrollBarPolicy(policy);
    document.setUndoRedoEnabled(true);
    cursor.movePosition(QTextCursor::Start);
    field.setTextCursor(cursor);
}

} // namespace import_field_edits
