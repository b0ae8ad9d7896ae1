#include "ui/settings_window/import_field_edits.h"

#include <QPlainTextEdit>
#include <QTextCursor>

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

} // namespace import_field_edits
