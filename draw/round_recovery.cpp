#include "draw/round_recovery.h"

#include "base/gbk.h"
#include "draw/screen_texts.h"
#include "storage/results_format.h"

using history_rounds::Round;
using history_rounds::RoundEntry;

namespace round_recovery {

bool isUnfinished(const Round& round, qint64 total)
{
    return !round.entries.empty() && round.activeCount() < total;
}

QByteArray voidMark()
{
    return gbk::text(" 【作废】");
}

QByteArray screenLine(const RoundEntry& entry)
{
    QByteArray line = screen_texts::resultsListLine(entry.resultsLine, entry.at());
    if (entry.voided)
        line += voidMark();
    return line;
}

int entryShownBy(const Round& round, const QByteArray& line)
{
    for (size_t i = round.entries.size(); i-- > 0;) {
        if (!round.entries[i].voided && screenLine(round.entries[i]) == line)
            return static_cast<int>(i);
    }
    return -1;
}

Plan plan(const Round& round, qint64 total)
{
    Plan result;
    for (const RoundEntry& entry : round.entries) {
        result.screenLines.push_back(screenLine(entry));
        if (entry.voided)
            continue;
        result.resultsLines.push_back(entry.resultsLine);
        result.lastWinner = results_format::recordedWinner(entry.resultsLine);
    }
    const auto kept = static_cast<qint64>(result.resultsLines.size());
    result.progressText = screen_texts::progressText(kept, total);
    result.progressPosition = screen_texts::progressBarPosition(kept, total);
    return result;
}

QString continueQuestion(const Round& round)
{
    QString text =
        QStringLiteral("上一轮抽奖尚未完成，已抽出 %1 名中奖者").arg(round.activeCount());
    const auto voided = static_cast<int>(round.entries.size()) - round.activeCount();
    if (voided > 0)
        text += QStringLiteral("（另有 %1 名已作废）").arg(voided);
    text += QStringLiteral("。\r\n最后抽出的是：") + gbk::decode(round.entries.back().resultsLine) +
            QStringLiteral("\r\n\r\n点击【是】继续这一轮抽奖。\r\n点击【否】开始新的一轮。");
    return text;
}

QString voidQuestion(const QByteArray& resultsLine)
{
    return QStringLiteral("确定作废这名中奖者吗？\r\n") + gbk::decode(resultsLine) +
           QStringLiteral("\r\n\r\n作废后该奖项将重新抽取一名，此人本轮不再参加抽奖。");
}

} // namespace round_recovery
