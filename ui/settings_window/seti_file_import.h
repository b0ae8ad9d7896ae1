#pragma once

#include "storage/list_file_reader.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The import page's additions: a button beside the import button that puts
// the rows of a spreadsheet or text file into the field, and the number of
// participants the participant file holds, kept current.
class FileImportControls : public QObject
{
    Q_OBJECT
  public:
    FileImportControls(QWidget* page, QPlainTextEdit* field, QPushButton* importButton);

    // Throws nothing of its own; every refusal is a box, and the field is
    // changed only when a list was read.
    void importFromFile();
    // Called by the import after it wrote, and whenever the page is shown.
    void refreshCount();
    // Called by the import after it wrote the list: the column titles file
    // gets the title row when the list is the one read from a file whose
    // title row was left out, unchanged, and goes otherwise. Throws when it
    // cannot be updated.
    void listSaved();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* page_;
    QPlainTextEdit* field_;
    QPushButton* fileButton_;
    QLabel* countLabel_;
    QByteArray titleRow_;         // GBK; empty unless the last file had one left out
    QByteArray fieldFingerprint_; // of the field's text as the file gave it
};

// The box's words for a file the reader refused (an empty one included).
QString listFileProblemText(const list_file_reader::ListFile& file, const QString& fileName);
