#pragma once

#include <QString>

class QPlainTextEdit;

// Changes of the import field's whole text that Ctrl+Z takes back, unlike
// QPlainTextEdit::clear() and setPlainText(), which forget the undo history.
namespace import_field_edits {

void clearUndoably(QPlainTextEdit& field);
void replaceUndoably(QPlainTextEdit& field, const QString& text);

} // namespace import_field_edits
