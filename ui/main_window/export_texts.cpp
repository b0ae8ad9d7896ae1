#include "ui/main_window/export_texts.h"

#include <QDir>

namespace export_texts {

QString exportMenuEntry()
{
    return QStringLiteral("导出中奖名单（Excel/CSV）...");
}

QString proposedExportName(const QString& stamp)
{
    return QStringLiteral("中奖名单") + stamp;
}

QStringList exportFilters()
{
    return {QStringLiteral("Excel 工作簿 (*.xlsx)"), QStringLiteral("CSV UTF-8 (*.csv)")};
}

QString nothingToExport()
{
    return QStringLiteral("还没有中奖记录，没有可导出的内容。");
}

QString exported(int winners, const QString& path)
{
    return QStringLiteral("已导出 %1 条中奖记录：\r\n%2")
        .arg(winners)
        .arg(QDir::toNativeSeparators(path));
}

QString exported(int winners, int voided, const QString& path)
{
    return QStringLiteral("已导出 %1 条中奖记录（另有 %2 条作废记录）：\r\n%3")
        .arg(winners)
        .arg(voided)
        .arg(QDir::toNativeSeparators(path));
}

// No full stop: the handler guard's box adds one.
QString exportFailed(const QString& path, const QString& reason)
{
    return QStringLiteral("无法导出中奖名单到“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

QString workbookNotMade(const QString& path, const QString& reason)
{
    return QStringLiteral("无法导出中奖名单到“%1”：临时文件夹中无法生成工作簿（%2）")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace export_texts
