#include "ui/main_window/draw_report_entry.h"

#include "base/app_error.h"
#include "base/file_paths.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "ui/guard/guarded_connect.h"
#include "verify/draw_report.h"
#include "verify/record_check.h"

#include <QAction>
#include <QMenu>

void saveDrawReport(QWidget* window)
{
    const record_check::Result record = record_check::checkFolder(QStringLiteral("."));
    using Outcome = record_check::Result::Outcome;
    if (record.outcome == Outcome::NoRecord) {
        services().boxes->show(window, noticeBox(record.reason.chinese));
        return;
    }
    if (record.outcome == Outcome::Broken)
        throw AppError(QStringLiteral("抽奖记录复核未通过，未生成报告：第 %1 条记录：%2")
                           .arg(record.failedEntry)
                           .arg(record.reason.chinese));
    const QDateTime now = services().clock->now();
    const std::optional<QString> path = services().dialogs->saveFile(
        window,
        QStringLiteral("抽奖报告%1.pdf").arg(now.toString(QStringLiteral("yyyyMMddHHmmss"))),
        {QStringLiteral("PDF 文件 (*.pdf)")});
    if (!path)
        return;
    draw_report::write(*path, record, draw_report::eventOfWorkingFolder(now));
    services().boxes->show(window,
                           noticeBox(QStringLiteral("已生成抽奖报告（%1 位中奖者复核一致）：\r\n%2")
                                         .arg(record.winners)
                                         .arg(file_paths::fullPath(*path))));
}

void addDrawReportEntry(QMenu* menu, QWidget* window)
{
    QAction* entry = menu->addAction(QStringLiteral("生成抽奖报告（PDF）..."));
    entry->setObjectName(QStringLiteral("actDrawReport"));
    connectGuarded(entry, &QAction::triggered, window, window,
                   [window] { saveDrawReport(window); });
}
