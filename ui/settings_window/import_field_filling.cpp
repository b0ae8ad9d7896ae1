#include "ui/settings_window/import_field_filling.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>

#include <malloc.h>

namespace {

// Joins the lines (each followed by '\n') kLinesPerBlock to a block; the
// last stays a block's end, so the next lines start a block of their own.
// Returns the number of lines.
qsizetype joinIntoBlocks(QString& lines)
{
    qsizetype count = 0;
    for (QChar& c : lines) {
        if (c == u'\n' && ++count % ImportFieldFilling::kLinesPerBlock != 0)
            c = QChar::LineSeparator;
    }
    if (lines.back() == QChar::LineSeparator)
        lines.back() = u'\n';
    return count;
}

} // namespace

ImportFieldFilling::ImportFieldFilling(QPlainTextEdit& field)
    : field_(field), savedCursor_(field.textCursor()),
      savedScroll_(field.verticalScrollBar()->value()),
      savedPolicy_(field.verticalScrollBarPolicy())
{
    QTextDocument& document = *field_.document();
    // Unrecorded: a million lines take the undo history some 60 MB.
    document.setUndoRedoEnabled(false);
    // The scroll bar is there before the long text goes in, or its coming
    // would narrow the field and give every line a layout of its own.
    field_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    oldEnd_ = document.characterCount() - 1;
    // The break that ends the field's own text; the list's lines follow.
    QTextCursor cursor(&document);
    cursor.setPosition(oldEnd_);
    cursor.insertText(QStringLiteral("\n"));
}

void ImportFieldFilling::append(QString block)
{
    if (block.isEmpty())
        return;
    if (lines_ == 0) // lines are never empty
        firstLine_ = block.left(block.indexOf(u'\n'));
    lines_ += joinIntoBlocks(block);
    QTextDocument& document = *field_.document();
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(block);
    block = QString();
    // Rather than staying with the process beside the field's copy.
    malloc_trim(0);
}

qsizetype ImportFieldFilling::lineCount() const
{
    return lines_;
}

void ImportFieldFilling::keep(bool dropFirstLine)
{
    QTextCursor cursor(field_.document());
    int end = oldEnd_ + 1;
    if (dropFirstLine && lines_ > 0) {
        end += firstLine_.size() + 1;
        --lines_;
    }
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    finish();
    cursor.movePosition(QTextCursor::Start);
    field_.setTextCursor(cursor);
}

void ImportFieldFilling::giveBack()
{
    QTextCursor cursor(field_.document());
    cursor.setPosition(oldEnd_);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    finish();
    field_.setTextCursor(savedCursor_);
    field_.verticalScrollBar()->setValue(savedScroll_);
}

void ImportFieldFilling::finish()
{
    field_.setVerticalScrollBarPolicy(savedPolicy_);
    field_.document()->setUndoRedoEnabled(true);
}
