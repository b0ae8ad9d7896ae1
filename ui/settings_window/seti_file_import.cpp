#include "ui/settings_window/seti_file_import.h"

#include "base/app_error.h"
#include "base/gbk.h"
#include "base/system_reason.h"
#include "base/working_files.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/column_titles_file.h"
#include "storage/list_file_reader.h"
#include "storage/participant_count.h"
#include "ui/guard/guarded_connect.h"
#include "ui/settings_window/import_field_edits.h"
#include "ui/settings_window/import_field_filling.h"
#include "ui/settings_window/import_field_fingerprint.h"
#include "ui/settings_window/import_texts.h"
#include "ui/settings_window/list_file_loading.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <utility>

using list_file_reader::Problem;

QString listFileProblemText(const list_file_reader::ListFile& file, const QString& fileName)
{
    switch (file.problem) {
    case Problem::CannotOpen:
        return import_texts::cannotOpen(fileName, file.reason);
    case Problem::Encrypted:
        return import_texts::encrypted(fileName);
    case Problem::NotReadable:
        return import_texts::notReadable(fileName);
    case Problem::Binary:
        return import_texts::binaryContent(fileName);
    case Problem::FileTooLarge:
        return import_texts::fileTooLarge(fileName, file.limit);
    case Problem::RowTooLong:
        return import_texts::rowTooLong(fileName, file.row, file.limit);
    case Problem::UnpackedTooLarge:
        return import_texts::unpackedTooLarge(fileName, file.limit);
    case Problem::ListTooLarge:
        return import_texts::listTooLarge(fileName, file.limit);
    case Problem::Empty:
    case Problem::Cancelled:
    case Problem::None:
        break;
    }
    return import_texts::emptyFile(fileName);
}

FileImportControls::FileImportControls(QWidget* page, QPlainTextEdit* field,
                                       QPushButton* importButton)
    : QObject(page), page_(page), field_(field), importButton_(importButton),
      loading_(std::make_unique<ListFileLoading>())
{
    // Between the red note and the import button, clear of both.
    fileButton_ = new QPushButton(import_texts::importFileButton(), page);
    fileButton_->setObjectName(QStringLiteral("btnImportFile"));
    fileButton_->setGeometry(importButton->x() - 87, importButton->y(), 83, 25);
    fileButton_->setAutoDefault(false);
    // Above the field, where the page had nothing.
    countLabel_ = new QLabel(page);
    countLabel_->setObjectName(QStringLiteral("lblParticipantCount"));
    countLabel_->setGeometry(field->x(), 4, field->width(), 17);

    // The box stands over the page's window, whichever it is by then.
    connectGuarded(fileButton_, &QPushButton::clicked, this, page_, [this] { importFromFile(); });
    page->installEventFilter(this);
    refreshCount();
}

FileImportControls::~FileImportControls()
{
    loading_.reset();
}

void FileImportControls::importFromFile()
{
    if (isLoading())
        return;
    QWidget* window = page_->window();
    const std::optional<QString> chosen =
        services().dialogs->openFile(window, import_texts::openFilters());
    if (!chosen)
        return;
    const QFileInfo info(*chosen);
    const QString fileName = info.fileName();
    if (info.size() >= kReadAsideFromBytes) {
        startLoading(*chosen, fileName);
        return;
    }
    list_file_reader::ListFile file = list_file_reader::read(*chosen);
    QByteArray titleRow;
    if (!acceptList(file, file.lines.first(), file.lines.size(), fileName, titleRow))
        return;
    if (!titleRow.isEmpty())
        file.lines.removeFirst();
    // A break after the last line, as a paste from a spreadsheet ends.
    import_field_edits::replaceWithList(*field_, file.lines.takeBlocks());
    listPutIn(titleRow);
}

bool FileImportControls::isLoading() const
{
    return filling_ != nullptr;
}

bool FileImportControls::acceptList(list_file_reader::ListFile& file, const QString& firstLine,
                                    qsizetype lineCount, const QString& fileName,
                                    QByteArray& titleRow)
{
    QWidget* window = page_->window();
    if (file.problem == Problem::None && file.firstLineLooksLikeTitles) {
        const BoxRequest question = questionBox(import_texts::titleRowQuestion(firstLine), false);
        if (services().boxes->show(window, question) == BoxAnswer::Yes) {
            titleRow = gbk::encode(firstLine);
            --lineCount;
        }
        if (lineCount == 0)
            file.problem = Problem::Empty;
    }
    if (file.problem != Problem::None) {
        titleRow.clear();
        services().boxes->show(window, warningNoticeBox(listFileProblemText(file, fileName)));
        return false;
    }
    return true;
}

void FileImportControls::listPutIn(const QByteArray& titleRow, const QByteArray& fingerprint)
{
    titleRow_ = titleRow;
    if (titleRow_.isEmpty())
        fieldFingerprint_.clear();
    else
        fieldFingerprint_ =
            fingerprint.isEmpty() ? import_field_fingerprint::of(*field_->document()) : fingerprint;
}

void FileImportControls::startLoading(const QString& path, const QString& fileName)
{
    setControlsEnabled(false);
    filling_ = std::make_unique<ImportFieldFilling>(*field_);
    fillingError_ = nullptr;
    loading_->start(
        path, [this](QString block) { appendLoaded(std::move(block)); },
        [this, fileName](list_file_reader::ListFile file, QByteArray fingerprint) {
            guarded(page_, [&] {
                // The page is given back whatever goes wrong on the way.
                try {
                    loaded(std::move(file), fingerprint, fileName);
                } catch (...) {
                    endLoading();
                    throw;
                }
            });
        },
        [this](std::exception_ptr error) { guarded(page_, [&] { loadingFailed(error); }); });
}

void FileImportControls::appendLoaded(QString block)
{
    if (fillingError_)
        return;
    // Nothing crosses the event loop: what goes wrong is said at the end.
    try {
        filling_->append(std::move(block));
    } catch (...) {
        fillingError_ = std::current_exception();
    }
}

void FileImportControls::loaded(list_file_reader::ListFile file,
                                const QByteArray& fingerprintAfterFirst, const QString& fileName)
{
    if (fillingError_) {
        loadingFailed(fillingError_);
        return;
    }
    for (QString& block : file.lines.takeBlocks())
        filling_->append(std::exchange(block, QString()));
    // The page as it was before the boxes, as when the file is read at once.
    setControlsEnabled(true);
    QByteArray titleRow;
    if (!acceptList(file, filling_->firstLine(), filling_->lineCount(), fileName, titleRow)) {
        filling_->giveBack();
        filling_.reset();
        return;
    }
    filling_->keep(!titleRow.isEmpty());
    filling_.reset();
    listPutIn(titleRow, fingerprintAfterFirst);
}

void FileImportControls::loadingFailed(std::exception_ptr error)
{
    endLoading();
    std::rethrow_exception(error);
}

void FileImportControls::endLoading()
{
    if (filling_) {
        filling_->giveBack();
        filling_.reset();
    }
    setControlsEnabled(true);
}

void FileImportControls::setControlsEnabled(bool enabled)
{
    if (!enabled)
        focusBeforeLoading_ = QApplication::focusWidget();
    for (QWidget* control : {static_cast<QWidget*>(field_), static_cast<QWidget*>(importButton_),
                             static_cast<QWidget*>(fileButton_)})
        control->setEnabled(enabled);
    if (enabled && focusBeforeLoading_ && focusBeforeLoading_->isEnabled())
        focusBeforeLoading_->setFocus();
}

bool FileImportControls::fieldHoldsFileList() const
{
    return !titleRow_.isEmpty() &&
           import_field_fingerprint::of(*field_->document()) == fieldFingerprint_;
}

void FileImportControls::listSaved(bool fromTheFile)
{
    const QString path = QLatin1String(column_titles_file::kFileName);
    int error = fromTheFile ? column_titles_file::write(path, titleRow_) : 0;
    // Titles of another list would name the wrong columns.
    if (error != 0 || !fromTheFile) {
        const int removed = column_titles_file::remove(path);
        if (error == 0)
            error = removed;
    }
    if (error != 0)
        throw AppError(import_texts::columnTitlesNotSaved(system_reason::text(error)));
}

void FileImportControls::refreshCount()
{
    const std::optional<int> count = participantCount(QLatin1String(working_files::kParticipants));
    countLabel_->setText(count ? import_texts::participantCount(*count)
                               : import_texts::noParticipantFile());
}

bool FileImportControls::eventFilter(QObject* watched, QEvent* event)
{
    // The file may have changed outside the program while the page was hidden.
    if (watched == page_ && event->type() == QEvent::Show)
        refreshCount();
    return QObject::eventFilter(watched, event);
}
