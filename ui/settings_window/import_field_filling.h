#pragma once

#include <QString>
#include <QTextCursor>
#include <Qt>

class QPlainTextEdit;

// A list put into the import field block by block while its file is still
// being read: behind the field's text, so the field goes on showing what it
// held until the list is kept, and gets it back unchanged when the file is
// refused. Not a step Ctrl+Z takes back, like import_field_edits::
// replaceWithList; a filling forgets the field's earlier undo steps.
//
// The lines go in kLinesPerBlock to a text block, joined by line separators
// (U+2028), which the field shows and edits as breaks of their own and its
// plain text gives as '\n'. The field's document costs some 2.5 µs for each
// block it holds: a million lines took 2.5 s to go in a block each, and take
// a tenth of that sixteen to a block.
class ImportFieldFilling
{
  public:
    static constexpr int kLinesPerBlock = 16;

    explicit ImportFieldFilling(QPlainTextEdit& field);

    // Lines each followed by '\n'; the block's memory goes back to the
    // system once they are in.
    void append(QString block);
    // The first line put in, or empty before any.
    const QString& firstLine() const { return firstLine_; }
    // The lines put in, less a first line dropped.
    qsizetype lineCount() const;

    // The field holds just the lines put in, the first left out when asked,
    // the caret at the start, as after replaceWithList.
    void keep(bool dropFirstLine);
    // The field holds what it held before, caret and scroll position too.
    void giveBack();

  private:
    void finish();

    QPlainTextEdit& field_;
    QTextCursor savedCursor_;
    int savedScroll_ = 0;
    Qt::ScrollBarPolicy savedPolicy_;
    int oldEnd_ = 0;      // where the field's own text ends
    qsizetype lines_ = 0; // put in
    QString firstLine_;
};
