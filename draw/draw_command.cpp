#include "draw/draw_command.h"

#include "app/app_error.h"
#include "draw/count_text.h"
#include "draw/draw_clock.h"
#include "draw/draw_surface.h"
#include "draw/round_state.h"
#include "platform/clock.h"
#include "platform/file_paths.h"
#include "platform/gbk.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "platform/sound_player.h"
#include "storage/default_settings.h"
#include "storage/draw_history.h"
#include "storage/prize_level.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"
#include "storage/working_files.h"

#include <algorithm>
#include <cmath>

namespace draw_texts {
QByteArray startCaption()
{
    return gbk::text("开始抽奖");
}
QByteArray stopCaption()
{
    return gbk::text("停止抽奖");
}
QString participantFileMissing()
{
    return QStringLiteral(
        "【抽奖数据文件不存在！】\r\n请先从【系统设置=>导入/导出】添加抽奖数据！");
}
QString participantListEmpty()
{
    return QStringLiteral("【抽奖数据文件为空！】\r\n请先从【系统设置=>导入/导出】添加抽奖数据！");
}
QString totalIsZero()
{
    return QStringLiteral("【抽奖人数为零！】\r\n请从【系统设置=>抽奖参数】填写正确的抽奖数据！");
}
QString tooFewParticipants()
{
    return QStringLiteral("【抽奖参与人数少于所设置奖项总和！】\r\n"
                          "请从【系统设置=>导入/导出】添加正确的抽奖数据！");
}
QString allDrawn()
{
    return QStringLiteral("【抽奖数据已全部产生，如需要再抽请初始化程序！】\r\n"
                          "数据需要保存请点击右下角：保存抽奖数据！");
}
QByteArray allDrawnDisplay()
{
    return gbk::text("抽奖完毕！");
}
} // namespace draw_texts

namespace {

struct Counts
{
    std::array<qint32, 6> perLevel{}; // grand to fifth
    qint64 total = 0;
};

Counts convertCounts(const DrawSettings& settings)
{
    Counts counts;
    for (size_t i = 0; i < counts.perLevel.size(); ++i) {
        // A negative count (only a hand-edited file holds one) would never be
        // reached by its recorded count and take every draw up to the total:
        // it draws nobody, like an empty count.
        counts.perLevel[i] = std::max<qint32>(0, parseCountText(settings.countTexts[i]));
        // Summed in 64 bits: counts near the 32-bit limit must not wrap into
        // a total that lets every click end as "all drawn".
        counts.total += counts.perLevel[i];
    }
    return counts;
}

void showWarning(DrawContext& context, const QString& text, const QString& caption)
{
    BoxRequest request = warningBox(text);
    request.caption = caption;
    services().boxes->show(context.surface.boxParent(), request);
}

// Ends a run at one of the check boxes: the caption goes back to Start, the
// timer and the music stay as they are.
void endAtCheck(DrawContext& context, const QString& text)
{
    showWarning(context, text, QStringLiteral("警告"));
    context.surface.setStartStopCaption(draw_texts::startCaption());
}

void startBranch(DrawContext& context)
{
    context.surface.setStartStopCaption(draw_texts::stopCaption());
    context.surface.setDrawTimerEnabled(true);
    services().sound->play(context.settings.startMusicPath,
                           SoundPlayer::kAsync | SoundPlayer::kLoop);
}

int recordedCount(const TextLineList& levelPrefixes, const QByteArray& name)
{
    int count = 0;
    for (const QByteArray& prefix : levelPrefixes.lines())
        count += prefix == name ? 1 : 0;
    return count;
}

void removeVoidedWinners(TextLineList& participants, const std::vector<QByteArray>& voided)
{
    if (voided.empty())
        return;
    TextLineList voidedList;
    for (const QByteArray& line : voided)
        voidedList.add(line);
    removeEarlierWinners(participants, voidedList);
}

void stopBranch(DrawContext& context, const Counts& counts)
{
    DrawSurface& surface = context.surface;
    surface.setStartStopCaption(draw_texts::startCaption());
    services().sound->play(context.settings.stopMusicPath, SoundPlayer::kAsync);
    surface.setDrawTimerEnabled(false);
    surface.setDrawTimerInterval(100);

    if (context.settings.repeatText == setting_names::no() && !context.results.isEmpty())
        removeEarlierWinners(context.participants, context.results);
    if (context.round)
        removeVoidedWinners(context.participants, context.round->voidedWinners());

    for (PrizeLevel level : kDrawingOrder) {
        const qint32 count = counts.perLevel[static_cast<size_t>(levelIndex(level))];
        if (count == 0 || recordedCount(context.levelPrefixes, levelName(level)) == count)
            continue;

        const qint64 candidates = context.participants.count();
        if (candidates == 0)
            throw AppError::listIndexOutOfBounds(0);
        const double clockValue = toDateTimeValue(services().clock->now());
        const qint64 index = winnerIndex(clockValue, candidates);
        context.currentWinner = context.participants.get(static_cast<int>(index));

        const QByteArray line = results_format::resultsLine(level, context.currentWinner);
        // One clock reading for the history and the results list, so a
        // round read back from the history shows the times it showed.
        const QDateTime recordedAt = services().clock->now();
        // The history first: a kill between the two writes then leaves the
        // winner in the history, never only in the results file that the
        // next start empties.
        draw_history::recordWinner(recordedAt, line);
        if (context.round)
            context.round->winnerRecorded(recordedAt, line);
        results_format::recordWinner(context.levelPrefixes, QLatin1String(working_files::kResults),
                                     line);

        const qint64 recordedBefore = context.results.count();
        surface.setProgressText(gbk::text("进度：") + QByteArray::number(recordedBefore + 1) + '/' +
                                QByteArray::number(counts.total));
        surface.setProgressPosition(progressPosition(recordedBefore, counts.total));
        surface.appendResultLine(levelLabel(level) + context.currentWinner + gbk::text(" 时间：") +
                                 dateTimeText(recordedAt));
        return;
    }
}

} // namespace

int progressPosition(qint64 recordedBefore, qint64 total)
{
    const double exact =
        static_cast<double>(recordedBefore + 1) * 100.0 / static_cast<double>(total);
    return static_cast<int>(std::nearbyint(exact));
}

void runStartStop(DrawContext& context)
{
    const Counts counts = convertCounts(context.settings);
    const QString participantFile = QLatin1String(working_files::kParticipants);

    if (!file_paths::isExistingFile(participantFile)) {
        endAtCheck(context, draw_texts::participantFileMissing());
        return;
    }
    context.participants.load(participantFile);
    if (context.participants.isEmpty()) {
        endAtCheck(context, draw_texts::participantListEmpty());
        return;
    }
    if (counts.total == 0) {
        endAtCheck(context, draw_texts::totalIsZero());
        return;
    }
    if (context.participants.count() <= counts.total) {
        endAtCheck(context, draw_texts::tooFewParticipants());
        return;
    }

    context.results.clear();
    context.results.load(QLatin1String(working_files::kResults));
    context.levelPrefixes.clear();
    for (const QByteArray& line : context.results.lines())
        context.levelPrefixes.add(results_format::levelPrefix(line));

    if (context.results.count() >= counts.total) {
        showWarning(context, draw_texts::allDrawn(), QStringLiteral("提示"));
        context.surface.setDisplayText(draw_texts::allDrawnDisplay());
        context.surface.setStartStopCaption(draw_texts::startCaption());
        return;
    }

    if (context.surface.startStopCaption() != draw_texts::stopCaption())
        startBranch(context);
    else
        stopBranch(context, counts);
}
