#include "storage/draw_rules_file.h"

#include "base/app_error.h"
#include "base/atomic_file.h"
#include "base/gbk.h"
#include "base/line_splitting.h"
#include "base/regular_file.h"
#include "base/system_reason.h"
#include "storage/column_titles_file.h"

#include <QList>

namespace {

const QByteArray& word(const char* utf8)
{
    static std::map<const char*, QByteArray> converted;
    auto found = converted.find(utf8);
    if (found == converted.end())
        found = converted.emplace(utf8, gbk::text(utf8)).first;
    return found->second;
}

const char kExcluded[] = "不参与抽奖";
const char kSignedIn[] = "签到";
const char kCondition[] = "条件";
const char kCap[] = "上限";
const char kIs[] = "是";
const char kIsNot[] = "不是";
const char kWholeLine[] = "整行";

QByteArray columnField(const QByteArray& column)
{
    return column.isEmpty() ? word(kWholeLine) : column;
}

QByteArray columnFromField(const QByteArray& field)
{
    return field == word(kWholeLine) ? QByteArray() : field;
}

void addListLines(QByteArray& out, const char* kind, const ValueList& list)
{
    for (const QByteArray& value : list.values)
        out += word(kind) + '\t' + columnField(list.column) + '\t' + value + "\r\n";
}

// Adds a 不参与抽奖 or 签到 line's value; a line naming another column than
// the list's first is not one of ours and is skipped.
void addListValue(ValueList& list, const QByteArray& line, qsizetype kindEnd)
{
    const qsizetype columnEnd = line.indexOf('\t', kindEnd + 1);
    if (columnEnd < 0)
        return;
    const QByteArray column = columnFromField(line.mid(kindEnd + 1, columnEnd - kindEnd - 1));
    if (!list.values.empty() && column != list.column)
        return;
    list.column = column;
    list.values.push_back(line.mid(columnEnd + 1));
}

void addLevelLine(DrawRules& rules, const QList<QByteArray>& fields, bool condition)
{
    if (fields.size() < (condition ? 5 : 4) || fields[1].isEmpty() || fields[2].isEmpty())
        return;
    LevelRules& level = rules.levels[fields[1]];
    if (condition) {
        if ((fields[3] != word(kIs) && fields[3] != word(kIsNot)) ||
            static_cast<int>(level.conditions.size()) >= draw_rules_file::kMaxConditions)
            return;
        Condition read{columnFromField(fields[2]), fields[3] == word(kIs), {}};
        for (qsizetype i = 4; i < fields.size(); ++i)
            if (!fields[i].isEmpty())
                read.values.push_back(fields[i]);
        if (!read.values.empty())
            level.conditions.push_back(read);
    } else {
        bool ok = false;
        const int most = fields[3].toInt(&ok);
        if (ok && most > 0)
            level.cap = {columnFromField(fields[2]), most};
    }
    if (level.isEmpty())
        rules.levels.erase(fields[1]);
}

} // namespace

bool DrawRules::isEmpty() const
{
    return excluded.isEmpty() && signedIn.isEmpty() && levels.empty();
}

const LevelRules& DrawRules::forLevel(const QByteArray& levelName) const
{
    static const LevelRules none;
    const auto found = levels.find(levelName);
    return found == levels.end() ? none : found->second;
}

bool operator==(const ValueList& a, const ValueList& b)
{
    return a.column == b.column && a.values == b.values;
}
bool operator==(const Condition& a, const Condition& b)
{
    return a.column == b.column && a.is == b.is && a.values == b.values;
}
bool operator==(const LevelRules& a, const LevelRules& b)
{
    return a.conditions == b.conditions && a.cap.column == b.cap.column && a.cap.most == b.cap.most;
}
bool operator==(const DrawRules& a, const DrawRules& b)
{
    return a.excluded == b.excluded && a.signedIn == b.signedIn && a.levels == b.levels;
}

namespace draw_rules_file {

QByteArray wholeLineWord()
{
    return word(kWholeLine);
}

QByteArray format(const DrawRules& rules)
{
    QByteArray out;
    addListLines(out, kExcluded, rules.excluded);
    addListLines(out, kSignedIn, rules.signedIn);
    for (const auto& [name, level] : rules.levels) {
        for (const Condition& condition : level.conditions) {
            out += word(kCondition) + '\t' + name + '\t' + columnField(condition.column) + '\t' +
                   word(condition.is ? kIs : kIsNot);
            for (const QByteArray& value : condition.values)
                out += '\t' + value;
            out += "\r\n";
        }
        if (level.cap.most > 0)
            out += word(kCap) + '\t' + name + '\t' + columnField(level.cap.column) + '\t' +
                   QByteArray::number(level.cap.most) + "\r\n";
    }
    return out;
}

DrawRules parse(const QByteArray& content)
{
    DrawRules rules;
    for (const QByteArray& line : splitIntoLines(content)) {
        const qsizetype kindEnd = line.indexOf('\t');
        if (kindEnd <= 0)
            continue;
        const QByteArray kind = line.left(kindEnd);
        if (kind == word(kExcluded))
            addListValue(rules.excluded, line, kindEnd);
        else if (kind == word(kSignedIn))
            addListValue(rules.signedIn, line, kindEnd);
        else if (kind == word(kCondition) || kind == word(kCap))
            addLevelLine(rules, line.split('\t'), kind == word(kCondition));
    }
    return rules;
}

DrawRules read(const QString& path)
{
    const regular_file::Content content = regular_file::readAll(path);
    return content.ok() ? parse(content.bytes) : DrawRules();
}

void write(const QString& path, const DrawRules& rules)
{
    if (rules.isEmpty()) {
        // The same removal as the column titles: only a file of ours goes.
        const int error = column_titles_file::remove(path);
        if (error != 0)
            throw AppError(
                QStringLiteral("无法删除规则文件 %1：%2").arg(path, system_reason::text(error)));
        return;
    }
    writeFileAtomicallyOrThrow(path, format(rules));
}

} // namespace draw_rules_file
