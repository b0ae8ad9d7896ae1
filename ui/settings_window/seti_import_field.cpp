#include "ui/settings_window/seti_import_field.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>

ImportField::ImportField(QWidget* parent) : QPlainTextEdit(parent) {}

void ImportField::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    // The same text as the default paste, without building a document
    // fragment first, which is several times slower for long lists.
    QTextCursor cursor = textCursor();
    cursor.insertText(source->text());
    setTextCursor(cursor);
    ensureCursorVisible();
}

void ImportField::mouseReleaseEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}
