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

} // namespace export_texts
