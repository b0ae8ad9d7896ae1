#pragma once

#include "storage/list_file_reader.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <exception>
#include <memory>
#include <optional>

class ImportFieldFilling;
class ListFileLoading;
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
    ~FileImportControls() override;

    // Files from this size on are read on a thread of their own, their
    // lines going into the field while the rest is read, the page's
    // controls disabled meanwhile; smaller ones at once, as before.
    static constexpr qint64 kReadAsideFromBytes = 2 << 20;

    // Throws nothing of its own; every refusal is a box, and the field is
    // changed only when a list was read.
    void importFromFile();
    // While a file read aside is not yet in the field.
    bool isLoading() const;
    // Called by the import after it wrote, and whenever the page is shown.
    void refreshCount();
    // Whether the field holds the list read from a file whose title row was
    // left out, unchanged: asked by the import before it cleans the field,
    // since the cleaning may drop empty lines a break inside a cell made.
    bool fieldHoldsFileList() const;
    // Called by the import after it wrote the list, with what
    // fieldHoldsFileList() said: the column titles file gets the title row
    // when the field held the file's list, and goes otherwise. Throws when
    // it cannot be updated.
    void listSaved(bool fromTheFile);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void startLoading(const QString& path, const QString& fileName);
    void appendLoaded(QString block);
    void loaded(list_file_reader::ListFile file, const QByteArray& fingerprintAfterFirst,
                const QString& fileName);
    void loadingFailed(std::exception_ptr error);
    void endLoading();
    // Asks about a title row and says why a file is refused; true when the
    // list goes into the field, `titleRow` then set when it is left out.
    bool acceptList(list_file_reader::ListFile& file, const QString& firstLine, qsizetype lineCount,
                    const QString& fileName, QByteArray& titleRow);
    // `fingerprint` of the field as it now is, when known.
    void listPutIn(const QByteArray& titleRow, const QByteArray& fingerprint = {});
    void setControlsEnabled(bool enabled);

    QWidget* page_;
    QPlainTextEdit* field_;
    QPushButton* importButton_;
    QPushButton* fileButton_;
    QLabel* countLabel_;
    QByteArray titleRow_;         // GBK; empty unless the last file had one left out
    QByteArray fieldFingerprint_; // of the field's text as the file gave it
    std::unique_ptr<ImportFieldFilling> filling_;
    std::exception_ptr fillingError_; // thrown while a block went in
    QPointer<QWidget> focusBeforeLoading_;
    // Last, so its thread is stopped before anything it calls back goes.
    std::unique_ptr<ListFileLoading> loading_;
};

// The box's words for a file the reader refused (an empty one included).
QString listFileProblemText(const list_file_reader::ListFile& file, const QString& fileName);
