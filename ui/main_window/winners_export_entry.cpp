#include "ui/main_window/winners_export_entry.h"

#include "base/app_error.h"
#include "base/file_paths.h"
#include "base/gbk.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/column_titles_file.h"
#include "storage/draw_history.h"
#include "storage/draw_rules_file.h"
#include "storage/program_settings.h"
#include "storage/rules_export.h"
#include "storage/winners_export.h"
#include "ui/guard/guarded_connect.h"
#include "ui/main_window/export_texts.h"
#include "ui/main_window/exported_winners.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

#include <algorithm>

void exportWinners(QWidget* window, const QPlainTextEdit& resultsList)
{
    const std::vector<winners_export::Winner> winners =
        exportedWinners(resultsList, QLatin1String(draw_history::kFileName));
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
    const std::array<QByteArray, 6> prizes = program_settings::readPrizeTexts();
    const auto prizeText = [&prizes](PrizeLevel level) {
        return prizes[static_cast<size_t>(levelIndex(level))];
    };
    const QByteArray titles =
        column_titles_file::read(QLatin1String(column_titles_file::kFileName));
    const DrawRules rules = draw_rules_file::read(QLatin1String(draw_rules_file::kFileName));
    const winners_export::SaveResult saved =
        target.format == winners_export::Format::Xlsx
            ? winners_export::save(
                  target.path,
                  rules_export::withRulesSheet(
                      winners_export::workbookSheets(winners, prizeText, titles), rules))
            : winners_export::save(target.path, target.format,
                                   winners_export::csvTable(winners, prizeText, titles));
    const QString path = file_paths::fullPath(target.path);
    if (!saved.ok())
        throw AppError(saved.status == winners_export::SaveResult::Status::CannotMakeWorkbook
                           ? export_texts::workbookNotMade(path, saved.reason)
                           : export_texts::exportFailed(path, saved.reason));
    if (target.format == winners_export::Format::Csv) {
        const winners_export::SaveResult rulesSaved =
            rules_export::saveCsvBeside(target.path, rules);
        if (!rulesSaved.ok())
            throw AppError(export_texts::exportFailed(
                file_paths::fullPath(rules_export::csvPathBeside(target.path)), rulesSaved.reason));
    }
    const auto voided = static_cast<int>(std::count_if(
        winners.begin(), winners.end(), [](const winners_export::Winner& w) { return w.voided; }));
    const int kept = static_cast<int>(winners.size()) - voided;
    services().boxes->show(window,
                           noticeBox(voided == 0 ? export_texts::exported(kept, path)
                                                 : export_texts::exported(kept, voided, path)));
}

void addWinnersExportEntry(QMenu* menu, QWidget* window, QPlainTextEdit* resultsList)
{
    QAction* entry = menu->addAction(export_texts::exportMenuEntry());
    entry->setObjectName(QStringLiteral("actExportWinners"));
    connectGuarded(entry, &QAction::triggered, window, window,
                   [window, resultsList] { exportWinners(window, *resultsList); });
}
