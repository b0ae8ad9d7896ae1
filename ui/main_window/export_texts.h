#pragma once

#include <QString>
#include <QStringList>

// Texts of exporting the winners to a workbook or CSV file.
namespace export_texts {

QString exportMenuEntry();                        // the pm1 entry
QString proposedExportName(const QString& stamp); // 中奖名单yyyyMMddHHmmss
QStringList exportFilters();                      // workbook first, then CSV
QString nothingToExport();
QString exported(int winners, const QString& path);
QString exported(int winners, int voided, const QString& path);
// The reasons are the system's, in Chinese (system_reason.h).
QString exportFailed(const QString& path, const QString& reason);
QString workbookNotMade(const QString& path, const QString& reason);

} // namespace export_texts
