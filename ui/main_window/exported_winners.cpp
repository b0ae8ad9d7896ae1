#include "ui/main_window/exported_winners.h"

#include "base/gbk.h"
#include "base/regular_file.h"
#include "draw/draw_clock.h"
#include "draw/round_recovery.h"
#include "storage/extra_prizes.h"
#include "storage/history_void_times.h"
#include "storage/results_format.h"
#include "ui/main_window/results_list_lines.h"

#include <QPlainTextEdit>

#include <algorithm>

using winners_export::Winner;

namespace {

void addVoidTimes(std::vector<Winner>& winners, const QString& historyPath)
{
    const regular_file::Content history = regular_file::readAll(historyPath);
    if (!history.ok())
        return;
    const std::vector<history_void_times::Voided> voids = history_void_times::voided(history.bytes);
    std::vector<bool> used(voids.size());
    for (Winner& winner : winners) {
        if (!winner.voided)
            continue;
        // The results list shows the drawing time as the draw wrote it.
        const QByteArray resultsLine =
            winner.extraPrize.isEmpty()
                ? levelLabel(winner.level) + winner.participantLine
                : results_format::extraPrizeLine(winner.extraPrize, winner.participantLine);
        for (size_t i = 0; i < voids.size(); ++i) {
            if (used[i] || voids[i].resultsLine != resultsLine ||
                dateTimeText(voids[i].drawnAt) != winner.time)
                continue;
            winner.voidedTime = dateTimeText(voids[i].voidedAt);
            used[i] = true;
            break;
        }
    }
}

// The prize column of an extra prize's winners, from the list as it is now.
void addExtraPrizeTexts(std::vector<Winner>& winners)
{
    const extra_prizes::ExtraPrizeList extras = extra_prizes::read();
    for (Winner& winner : winners) {
        const int at = extra_prizes::find(extras, winner.extraPrize);
        if (!winner.extraPrize.isEmpty() && at >= 0)
            winner.extraPrizeText = extras[static_cast<size_t>(at)].prize;
    }
}

} // namespace

std::vector<Winner> exportedWinners(const QPlainTextEdit& resultsList, const QString& historyPath)
{
    const QByteArray voidMark = round_recovery::voidMark();
    std::vector<Winner> winners;
    for (const QString& line : results_list_lines::wholeLines(*resultsList.document())) {
        QByteArray bytes = gbk::encode(line);
        const bool voided = bytes.endsWith(voidMark);
        if (voided)
            bytes.chop(voidMark.size());
        if (std::optional<Winner> winner = winners_export::winnerFromResultsLine(bytes)) {
            winner->voided = voided;
            winners.push_back(std::move(*winner));
        }
    }
    addExtraPrizeTexts(winners);
    if (std::any_of(winners.begin(), winners.end(), [](const Winner& w) { return w.voided; }))
        addVoidTimes(winners, historyPath);
    return winners;
}
