#include "draw/rules_text.h"

#include "base/gbk.h"

namespace {

constexpr size_t kValuesShown = 3;

QByteArray valuesText(const std::vector<QByteArray>& values, bool full)
{
    QByteArray text;
    const size_t shown = full ? values.size() : std::min(values.size(), kValuesShown);
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text += gbk::text("、");
        text += QByteArray(values[i]).replace('\t', ' ');
    }
    if (shown < values.size())
        text += gbk::text("等 %1 项").replace("%1", QByteArray::number(qsizetype(values.size())));
    return text;
}

QByteArray conditionText(const Condition& condition, bool full)
{
    const QByteArray values = valuesText(condition.values, full);
    if (!condition.is)
        return values + gbk::text("不参与");
    return gbk::text("仅限") + condition.column + gbk::text("为") + values;
}

} // namespace

QByteArray levelRulesText(const DrawRules& rules, const QByteArray& levelName, bool full)
{
    std::vector<QByteArray> parts;
    const LevelRules& level = rules.forLevel(levelName);
    for (const Condition& condition : level.conditions)
        parts.push_back(conditionText(condition, full));
    if (level.cap.most > 0)
        parts.push_back(gbk::text("每") + level.cap.column + gbk::text("最多 ") +
                        QByteArray::number(level.cap.most) + gbk::text(" 人"));
    if (!rules.excluded.isEmpty())
        parts.push_back(full ? gbk::text("不参与抽奖：") + valuesText(rules.excluded.values, true)
                             : gbk::text("另有 ") +
                                   QByteArray::number(qsizetype(rules.excluded.values.size())) +
                                   gbk::text(" 人不参与"));
    if (!rules.signedIn.isEmpty())
        parts.push_back(gbk::text("仅签到者参与（") +
                        QByteArray::number(qsizetype(rules.signedIn.values.size())) +
                        gbk::text(" 人）"));
    if (parts.empty())
        return {};
    QByteArray text = gbk::text("本奖项：");
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += gbk::text("；");
        text += parts[i];
    }
    return text;
}
