#pragma once

#include "storage/draw_rules_file.h"
#include "storage/winners_export.h"

#include <QList>
#include <QString>
#include <QStringList>

// The rules of the draw as a table beside the winners: a sheet of the
// workbook, or a CSV file of its own next to the winners' CSV.
namespace rules_export {

inline const QString kSheetName = QStringLiteral("抽奖规则");

// 类别, 奖项, 列, 条件, 值: one row per excluded or signed-in value, per
// condition and per cap.
QList<QStringList> rulesTable(const DrawRules& rules);
// "名单.csv" → "名单_抽奖规则.csv".
QString csvPathBeside(const QString& winnersCsvPath);
// The sheets with 抽奖规则 last; as they are when no rule is set.
std::vector<winners_export::Sheet> withRulesSheet(std::vector<winners_export::Sheet> sheets,
                                                  const DrawRules& rules);
// The rules CSV beside the winners' one; nothing written (and Ok) when no
// rule is set.
winners_export::SaveResult saveCsvBeside(const QString& winnersCsvPath, const DrawRules& rules);

} // namespace rules_export
