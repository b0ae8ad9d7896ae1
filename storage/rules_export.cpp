#include "storage/rules_export.h"

#include "base/gbk.h"

#include <QDir>
#include <QFileInfo>

namespace rules_export {

namespace {

QString columnText(const QByteArray& column)
{
    return column.isEmpty() ? QStringLiteral("整行") : gbk::decode(column);
}

void addList(QList<QStringList>& table, const QString& kind, const ValueList& list)
{
    for (const QByteArray& value : list.values)
        table << QStringList{kind, QStringLiteral("全部奖项"), columnText(list.column), QString(),
                             gbk::decode(value).replace(QLatin1Char('\t'), QLatin1Char(' '))};
}

} // namespace

QList<QStringList> rulesTable(const DrawRules& rules)
{
    QList<QStringList> table;
    table << QStringList{QStringLiteral("类别"), QStringLiteral("奖项"), QStringLiteral("列"),
                         QStringLiteral("条件"), QStringLiteral("值")};
    addList(table, QStringLiteral("不参与抽奖"), rules.excluded);
    addList(table, QStringLiteral("签到名单"), rules.signedIn);
    for (const auto& [name, level] : rules.levels) {
        for (const Condition& condition : level.conditions) {
            QStringList values;
            for (const QByteArray& value : condition.values)
                values << gbk::decode(value);
            table << QStringList{QStringLiteral("条件"), gbk::decode(name),
                                 columnText(condition.column),
                                 condition.is ? QStringLiteral("是") : QStringLiteral("不是"),
                                 values.join(QStringLiteral("、"))};
        }
        if (level.cap.most > 0)
            table << QStringList{QStringLiteral("人数上限"), gbk::decode(name),
                                 columnText(level.cap.column),
                                 QStringLiteral("每组最多 %1 人").arg(level.cap.most), QString()};
    }
    return table;
}

QString csvPathBeside(const QString& winnersCsvPath)
{
    const QFileInfo info(winnersCsvPath);
    const QString base = info.fileName().endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
                             ? info.fileName().chopped(4)
                             : info.fileName();
    return info.dir().filePath(base + QStringLiteral("_") + kSheetName + QStringLiteral(".csv"));
}

std::vector<winners_export::Sheet> withRulesSheet(std::vector<winners_export::Sheet> sheets,
                                                  const DrawRules& rules)
{
    if (!rules.isEmpty())
        sheets.push_back({kSheetName, rulesTable(rules)});
    return sheets;
}

winners_export::SaveResult saveCsvBeside(const QString& winnersCsvPath, const DrawRules& rules)
{
    if (rules.isEmpty())
        return {};
    return winners_export::save(csvPathBeside(winnersCsvPath), winners_export::Format::Csv,
                                rulesTable(rules));
}

} // namespace rules_export
