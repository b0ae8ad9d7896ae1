#pragma once

#include <QString>

#include <vector>

class QPlainTextEdit;

// Changes of the import field's whole text that Ctrl+Z takes back, unlike
// QPlainTextEdit::clear() and setPlainText(), which forget the undo history.
namespace import_field_edits {

void clearUndoably(QPlainTextEdit& field);
void replaceUndoably(QPlainTextEdit& field, const QString& text);
// A list read from a file, in blocks of whole lines, each let go once it is
// in the field so a long list is not held twice. Not a step Ctrl+Z takes
// back (the file can be read again), and earlier steps are forgotten: the
// undo history of a million lines would take some 60 MB. A click that
// clears the list afterwards is taken back as usual.
void replaceWithList(QPlainTextEdit& field, std::vector<QString> blocks);

} // namespace import_field_edits
