#pragma once

#include "support/fake_services.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

class FileImportControls;

// The import page's field, import button and file button as the settings
// window lays them out, shown, the field holding its instruction line; the
// file button answered by fakes that choose the file and leave a title row
// out.
class ImportPageScene
{
  public:
    ImportPageScene();
    ~ImportPageScene();

    // Clicks the file button on `path` and waits, serving the event loop,
    // until the list is in the field (or refused).
    void importFile(const QString& path);
    // Puts the instruction line back, as before a first import.
    void resetField();
    QPlainTextEdit& field() { return *field_; }
    // The lines in the field's plain text, each ended by a break (a long
    // list's lines share blocks).
    qsizetype fieldLines() const { return field_->toPlainText().count(u'\n'); }
    int boxesShown() const { return int(fakes_.boxes.shown.size()); }

  private:
    ScopedFakeServices fakes_;
    QWidget page_;
    QPlainTextEdit* field_;
    QPushButton* importButton_;
    FileImportControls* controls_;
};
