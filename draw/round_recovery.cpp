#include "draw/round_recovery.h"

#include "base/gbk.h"
#include "draw/extra_prize_tally.h"
#include "draw/screen_privacy.h"
#include "draw/screen_texts.h"
#include "storage/results_format.h"

using history_rounds::Round;
using history_rounds::RoundEntry;

namespace round_recovery {

bool isUnfinished(const Round& round, qint64 total, const extra_prizes::ExtraPrizeList& extras)
{
    if (round.entries.empty())
        return false;
    std::vector<QByteArray> kept;
    for (const RoundEntry& entry : round.entries)
        if (!entry.voided)
            kept.push_back(entry.resultsLine);
    const ExtraPrizeTally tally = tallyExtraPrizes(extras, kept);
    return static_cast<qint64>(kept.size()) - tally.lines < total || tally.drawn() < tally.places();
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

Plan plan(const Round& round, const LevelCounts& counts, const extra_prizes::ExtraPrizeList& extras)
{
    Plan result;
    for (const RoundEntry& entry : round.entries) {
        result.screenLines.push_back(screenLine(entry));
        if (entry.voided)
            continue;
        result.resultsLines.push_back(entry.resultsLine);
        result.lastWinner = results_format::recordedWinner(entry.resultsLine);
    }
    const screen_texts::Progress progress =
        screen_texts::progressOf(result.resultsLines, counts, extras);
    result.progressText = progress.text;
    result.progressPosition = progress.position;
    return result;
}

QString continueQuestion(const Round& round, bool finished, const ScreenPrivacy& privacy)
{
    QString text = (finished ? QStringLiteral("上一轮抽奖已全部完成，共抽出 %1 名中奖者")
                             : QStringLiteral("上一轮抽奖尚未完成，已抽出 %1 名中奖者"))
                       .arg(round.activeCount());
    const auto voided = static_cast<int>(round.entries.size()) - round.activeCount();
    if (voided > 0)
        text += QStringLiteral("（另有 %1 名已作废）").arg(voided);
    text += QStringLiteral("。\r\n最后抽出的是：") +
            gbk::decode(
                screen_privacy::shownResultsListLine(round.entries.back().resultsLine, privacy)) +
            (finished ? QStringLiteral("\r\n\r\n点击【是】重新显示这一轮的结果，以便保存或导出。")
                      : QStringLiteral("\r\n\r\n点击【是】继续这一轮抽奖。")) +
            QStringLiteral("\r\n点击【否】开始新的一轮。");
    return text;
}

QString roundEndedBySave(int winners)
{
    return QStringLiteral("保存设置结束了正在进行的一轮抽奖（已抽出 %1 名中奖者），"
                          "下一次抽奖将从头开始。\r\n"
                          "如需恢复这一轮，请在主窗口按 Ctrl+R，"
                          "或在右键菜单中选择“撤销初始化，恢复上一轮中奖结果”。")
        .arg(winners);
}

QString voidQuestion(const QByteArray& resultsLine, const ScreenPrivacy& privacy)
{
    return QStringLiteral("确定作废这名中奖者吗？\r\n") +
           gbk::decode(screen_privacy::shownResultsListLine(resultsLine, privacy)) +
           QStringLiteral("\r\n\r\n作废后该奖项将重新抽取一名，此人本轮不再参加抽奖。");
}

} // namespace round_recovery
