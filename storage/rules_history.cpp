#include "storage/rules_history.h"

#include "base/gbk.h"
#include "base/line_splitting.h"

namespace rules_history {

namespace {

QByteArray timeText(const QDateTime& at)
{
    return at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
}

} // namespace

QByteArray changeLine(const QDateTime& at, const DrawRules& rules)
{
    QByteArray line = timeText(at) + ' ' + gbk::text("规则更改") + '\t';
    const std::vector<QByteArray> ruleLines = splitIntoLines(draw_rules_file::format(rules));
    if (ruleLines.empty())
        return line + gbk::text("无");
    for (size_t i = 0; i < ruleLines.size(); ++i) {
        if (i > 0)
            line += gbk::text("；");
        line += QByteArray(ruleLines[i]).replace('\t', ' ');
    }
    return line;
}

QByteArray inForceLine(const QDateTime& at, const QByteArray& levelName,
                       const QByteArray& rulesText)
{
    return timeText(at) + ' ' + gbk::text("本次规则") + '\t' + levelName + '\t' + rulesText;
}

} // namespace rules_history
