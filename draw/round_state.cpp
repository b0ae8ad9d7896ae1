#include "draw/round_state.h"

#include "draw/stop_record.h"
#include "storage/draw_history.h"

#include <QFile>
#include <QFileInfo>

using namespace draw_history;
using namespace history_rounds;

RoundState::RoundState(QString historyPath) : historyPath_(std::move(historyPath)) {}

void RoundState::load()
{
    builder_ = RoundBuilder();
    endsInCutLine_ = false;
    // Only a regular file is read: a pipe in its place must not hang the start.
    if (!QFileInfo(historyPath_).isFile())
        return;
    QFile file(historyPath_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray history = file.readAll();
    endsInCutLine_ = !history.isEmpty() && !history.endsWith('\n');
    builder_ = buildRounds(history);
}

const Round& RoundState::currentRound() const
{
    static const Round none;
    return rounds().empty() ? none : rounds().back();
}

void RoundState::append(const QByteArray& line)
{
    // A history that cannot be written stops nothing; the rounds in memory
    // still follow the draw.
    draw_history::appendLine(historyPath_, line);
    stop_record::writeEvent(historyPath_, line);
}

void RoundState::programStarted(const QDateTime& at)
{
    if (endsInCutLine_)
        append(cutLineMarker(at));
    endsInCutLine_ = false;
    append(separatorLine(at, RoundStart::ProgramStart));
    builder_.startRound(RoundStart::ProgramStart);
}

void RoundState::initialized(const QDateTime& at)
{
    append(separatorLine(at, RoundStart::Initialize));
    builder_.startRound(RoundStart::Initialize);
}

void RoundState::settingsSaved(const QDateTime& at)
{
    if (builder_.current().entries.empty())
        return;
    append(separatorLine(at, RoundStart::SettingsSave));
    builder_.startRound(RoundStart::SettingsSave);
}

void RoundState::declinedToContinue(const QDateTime& at)
{
    append(separatorLine(at, RoundStart::NewRound));
    builder_.startRound(RoundStart::NewRound);
}

void RoundState::resumed(const QDateTime& at, Resume how)
{
    append(resumeLine(at, how));
    builder_.resume();
}

void RoundState::winnerRecorded(const QDateTime& at, const QByteArray& resultsLine)
{
    builder_.addWinner(at, resultsLine);
}

void RoundState::winnersWithdrawn(const QDateTime& at, const std::vector<QByteArray>& resultsLines)
{
    for (auto line = resultsLines.rbegin(); line != resultsLines.rend(); ++line) {
        append(withdrawnLine(at, *line));
        builder_.withdrawWinner(*line);
    }
}

void RoundState::voidEntry(size_t index, const QDateTime& at)
{
    const std::vector<RoundEntry>& entries = builder_.current().entries;
    if (index >= entries.size() || entries[index].voided)
        return;
    append(voidLine(at, entries[index].resultsLine));
    builder_.voidEntry(index);
}
