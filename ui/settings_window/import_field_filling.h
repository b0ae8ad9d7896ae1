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
class ImportFieldFilling
{
  public:
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
    int oldEnd_ = 0;    // where the field's own text ends
    int oldBlocks_ = 0; // its blocks
    QString firstLine_;
};
