#include "draw/stop_record.h"

#include "base/regular_file.h"
#include "draw/batch_draw.h"
#include "storage/column_titles_file.h"
#include "storage/draw_record.h"
#include "storage/draw_rules_file.h"
#include "storage/text_line_list.h"

#include <QDir>
#include <QFileInfo>

namespace stop_record {

namespace {

// The file's hash after keeping it as a snapshot; kNoFile when it is
// missing or empty (the draw then reads no rules from it either).
QByteArray keptFile(const char* name)
{
    const regular_file::Content content = regular_file::readAll(QLatin1String(name));
    if (!content.ok() || content.bytes.isEmpty())
        return draw_record::kNoFile;
    const QByteArray sha = draw_record::sha256Hex(content.bytes);
    draw_record::keepSnapshot(snapshotFolder(), sha, content.bytes);
    return sha;
}

} // namespace

QString recordPath()
{
    return QLatin1String(draw_record::kFileName);
}

QString snapshotFolder()
{
    return QLatin1String(draw_record::kSnapshotFolder);
}

QByteArray timeText(const QDateTime& at)
{
    return at.toString(QLatin1String(draw_record::kTimeFormat)).toLatin1();
}

StopInputs capture(const TextLineList& loadedList, const TextLineList& results,
                   const QByteArray& repeats)
{
    StopInputs inputs;
    inputs.listSha = draw_record::linesSha256(loadedList);
    inputs.listLines = loadedList.count();
    inputs.resultsLines = results.count();
    inputs.repeats = repeats;
    if (!QFileInfo(draw_record::snapshotPath(snapshotFolder(), inputs.listSha)).exists())
        draw_record::keepSnapshot(snapshotFolder(), inputs.listSha,
                                  draw_record::joinedLines(loadedList));
    inputs.rulesSha = keptFile(draw_rules_file::kFileName);
    inputs.columnsSha = keptFile(column_titles_file::kFileName);
    return inputs;
}

void write(const StopInputs& inputs, const StopPlan& plan, const std::vector<QDateTime>& pickTimes,
           const std::vector<PickStep>& steps, const std::vector<QByteArray>& resultsLines)
{
    if (pickTimes.empty() || steps.size() != resultsLines.size())
        return;
    const QByteArray number[] = {QByteArray::number(plan.winners),
                                 QByteArray::number(inputs.listLines),
                                 QByteArray::number(inputs.resultsLines)};
    std::vector<QByteArray> entries;
    entries.push_back(QByteArray("stop\t") + timeText(pickTimes.front()) + '\t' +
                      (plan.extraPrize.isEmpty() ? "level" : "extra") + '\t' +
                      drawnPrizeName(plan) + '\t' + number[0] + '\t' + inputs.repeats + '\t' +
                      inputs.listSha + '\t' + number[1] + '\t' + number[2] + '\t' +
                      inputs.rulesSha + '\t' + inputs.columnsSha);
    for (size_t i = 0; i < steps.size(); ++i)
        entries.push_back(QByteArray("pick\t") + timeText(pickTimes[i]) + '\t' +
                          QByteArray::number(steps[i].k) + '\t' + QByteArray::number(steps[i].n) +
                          '\t' + QByteArray::number(steps[i].index) + '\t' + resultsLines[i]);
    // Like the history, a record that cannot be written stops no draw.
    draw_record::append(recordPath(), entries);
}

void writeEvent(const QString& historyPath, const QByteArray& historyLine)
{
    const QString path =
        QFileInfo(historyPath).dir().filePath(QLatin1String(draw_record::kFileName));
    draw_record::append(path, {QByteArray("event\t") + historyLine});
}

} // namespace stop_record
