#include "ui/main_window/winners_export_entry.h"

#include "base/app_error.h"
#include "base/file_paths.h"
#include "base/gbk.h"
#include "draw/round_recovery.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/default_settings.h"
#include "storage/settings_file.h"
#include "storage/winners_export.h"
#include "ui/guard/guarded_connect.h"
#include "ui/main_window/export_texts.h"
#include "ui/main_window/results_list_lines.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

namespace {

// The whole lines, less the winners voided on the evening: they won nothing.
std::vector<QByteArray> resultsLines(const QPlainTextEdit& resultsList)
{
    const QByteArray voided = round_recovery::voidMark();
    std::vector<QByteArray> lines;
    for (const QString& line : results_list_lines::wholeLines(*resultsList.document())) {
        QByteArray bytes = gbk::encode(line);
        if (!bytes.endsWith(voided))
            lines.push_back(std::move(bytes));
    }
    return lines;
}

} // namespace

void exportWinners(QWidget* window, const QPlainTextEdit& resultsList)
{
    const std::vector<winners_export::Winner> winners =
        winners_export::winnersFromResultsLines(resultsLines(resultsList));
    if (winners.empty()) {
        services().boxes->show(window, noticeBox(export_texts::nothingToExport()));
        return;
    }
    const QString stamp = services().clock->now().toString(QStringLiteral("yyyyMMddHHmmss"));
    const std::optional<SaveChoice> choice = services().dialogs->saveFileOfType(
        window, export_texts::proposedExportName(stamp), export_texts::exportFilters());
    if (!choice)
        return;
    const winners_export::Target target = winners_export::target(choice->path, choice->filterIndex);
    const auto prizeText = [](PrizeLevel level) {
        return readSetting(setting_names::prizeSection(), levelPrizeKey(level));
    };
    const winners_export::SaveResult saved =
        winners_export::save(target.path, target.format, winners_export::table(winners, prizeText));
    if (!saved.ok()) {
        const QString path = file_paths::fullPath(target.path);
        throw AppError(saved.status == winners_export::SaveResult::Status::CannotMakeWorkbook
                           ? export_texts::workbookNotMade(path, saved.reason)
                           : export_texts::exportFailed(path, saved.reason));
    }
    services().boxes->show(window,
                           noticeBox(export_texts::exported(static_cast<int>(winners.size()),
                                                            file_paths::fullPath(target.path))));
}

void addWinnersExportEntry(QMenu* menu, QWidget* window, QPlainTextEdit* resultsList)
{
    QAction* entry = menu->addAction(export_texts::exportMenuEntry());
    entry->setObjectName(QStringLiteral("actExportWinners"));
    connectGuarded(entry, &QAction::triggered, window, window,
                   [window, resultsList] { exportWinners(window, *resultsList); });
}
