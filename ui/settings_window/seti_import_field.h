#pragma once

#include <QPlainTextEdit>

// The import page's list field. A paste goes in as plain text in one
// insertion, which keeps a pasted spreadsheet of a hundred thousand rows to
// a moment; every release of the primary button inside it reports a click.
class ImportField : public QPlainTextEdit
{
    Q_OBJECT
  public:
    explicit ImportField(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void insertFromMimeData(const QMimeData* source) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
