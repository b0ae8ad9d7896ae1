#pragma once

#include "draw/batch_pick.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

class TextLineList;
struct StopPlan;

// What a Stop's winners depend on, as the Stop loaded it: the participant
// list (its hash; the list itself kept as a snapshot), the results lines the
// Stop saw, the repeats switch and the rules' files. Written to the draw
// record with the picks, after the history and before the results file.
struct StopInputs
{
    QByteArray listSha;
    int listLines = 0;
    int resultsLines = 0;
    QByteArray repeats;
    QByteArray rulesSha;   // draw_record::kNoFile without a rules file
    QByteArray columnsSha; // likewise for the column titles
};

namespace stop_record {

// The record and the snapshot folder beside the working files.
QString recordPath();
QString snapshotFolder();

// Hashes the list and keeps it, the rules file and the column titles as
// snapshots. A snapshot that cannot be written stops nothing.
StopInputs capture(const TextLineList& loadedList, const TextLineList& results,
                   const QByteArray& repeats);

// The Stop's entry and one pick entry per winner, in one append.
void write(const StopInputs& inputs, const StopPlan& plan, const std::vector<QDateTime>& pickTimes,
           const std::vector<PickStep>& steps, const std::vector<QByteArray>& resultsLines);

// A line the rounds added to the history, to the record beside that history.
void writeEvent(const QString& historyPath, const QByteArray& historyLine);

QByteArray timeText(const QDateTime& at);

} // namespace stop_record
