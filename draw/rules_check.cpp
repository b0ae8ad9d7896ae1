#include "draw/rules_check.h"

#include "base/gbk.h"
#include "base/line_splitting.h"
#include "storage/case_fold.h"
#include "storage/text_line_list.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

QByteArray keyOf(const QByteArray& text)
{
    return caseFoldKey(text.trimmed());
}

// The keys of the column's cells (of whole lines for an empty column).
QSet<QByteArray> keysOfColumn(int column, const TextLineList& participants)
{
    QSet<QByteArray> keys;
    for (int i = 0; i < participants.count(); ++i)
        keys.insert(column < 0 ? keyOf(participants.get(i))
                               : keyOf(cellAt(participants.get(i), column)));
    return keys;
}

QString shown(const QByteArray& bytes)
{
    return gbk::decode(bytes);
}

QString columnShown(const QByteArray& column)
{
    return column.isEmpty() ? QStringLiteral("整行") : shown(column);
}

struct Checker
{
    const ParticipantColumns& columns;
    const TextLineList& participants;
    std::map<int, QSet<QByteArray>> keysByColumn;
    QString error;

    // The column's index, -1 for whole lines; false (and the error) when the
    // list has no such column.
    bool column(const QByteArray& name, const QString& where, int& index)
    {
        index = name.isEmpty() ? -1 : columns.indexOf(name);
        if (!name.isEmpty() && (index < 0 || index >= static_cast<int>(columns.names().size()))) {
            error = QStringLiteral("%1用到“%2”列，但抽奖名单没有这一列。").arg(where, shown(name));
            return false;
        }
        return true;
    }
    const QSet<QByteArray>& keys(int index)
    {
        auto found = keysByColumn.find(index);
        if (found == keysByColumn.end())
            found = keysByColumn.emplace(index, keysOfColumn(index, participants)).first;
        return found->second;
    }
    bool matchesSomebody(int index, const std::vector<QByteArray>& values)
    {
        const QSet<QByteArray>& present = keys(index);
        return std::any_of(values.begin(), values.end(),
                           [&](const QByteArray& value) { return present.contains(keyOf(value)); });
    }
    bool valueList(const QByteArray& name, const std::vector<QByteArray>& values,
                   const QString& where)
    {
        int index = -1;
        if (!column(name, where, index))
            return false;
        if (!matchesSomebody(index, values)) {
            error = QStringLiteral("%1的值（%2）不符合名单中的任何人。")
                        .arg(where, shown(values.front()) +
                                        (values.size() > 1 ? QStringLiteral("……") : QString()));
            return false;
        }
        return true;
    }
};

} // namespace

RulesCheck checkRules(const DrawRules& rules, const ParticipantColumns& columns,
                      const TextLineList& participants)
{
    Checker checker{columns, participants, {}, {}};
    RulesCheck result;
    auto failed = [&] {
        result.error = checker.error;
        return result;
    };
    if (!rules.excluded.isEmpty() &&
        !checker.valueList(rules.excluded.column, rules.excluded.values,
                           QStringLiteral("【不参与抽奖】")))
        return failed();
    for (const auto& [name, level] : rules.levels) {
        const QString where = QStringLiteral("【%1】").arg(shown(name));
        for (const Condition& condition : level.conditions) {
            const QString conditionWhere =
                where + QStringLiteral("的条件“%1 %2”")
                            .arg(columnShown(condition.column),
                                 condition.is ? QStringLiteral("是") : QStringLiteral("不是"));
            if (!checker.valueList(condition.column, condition.values, conditionWhere))
                return failed();
        }
        int index = -1;
        if (level.cap.most > 0 &&
            !checker.column(level.cap.column, where + QStringLiteral("的人数上限"), index))
            return failed();
    }
    if (!rules.signedIn.isEmpty()) {
        int index = -1;
        if (!checker.column(rules.signedIn.column, QStringLiteral("【签到名单】"), index))
            return failed();
        const QSet<QByteArray>& present = checker.keys(index);
        for (const QByteArray& value : rules.signedIn.values)
            if (!present.contains(keyOf(value)))
                result.unmatchedSignIns.push_back(value);
    }
    return result;
}

int mostCells(const TextLineList& participants)
{
    int most = 1;
    for (int i = 0; i < participants.count(); ++i)
        most = std::max(most, cellCountOf(participants.get(i)));
    return most;
}

std::vector<QByteArray> splitValues(const QByteArray& text)
{
    // Split as characters, not bytes: a GBK byte pair can look like a comma.
    static const QRegularExpression separators(QStringLiteral("[、,，;；]"));
    std::vector<QByteArray> values;
    for (const QString& part : gbk::decode(text).split(separators))
        if (!part.trimmed().isEmpty())
            values.push_back(gbk::encode(part.trimmed()));
    return values;
}

std::vector<QByteArray> splitListLines(const QByteArray& text)
{
    std::vector<QByteArray> lines;
    for (const QByteArray& line : splitIntoLines(text))
        if (!line.trimmed().isEmpty())
            lines.push_back(line.trimmed());
    return lines;
}
