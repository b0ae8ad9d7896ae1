#pragma once

#include "draw/batch_pick.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <ctime>
#include <optional>
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

// Which file a list was read from and in what state: a file rewritten,
// replaced or touched differs in one of these.
struct ListIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{}; // moves on every write and cannot be set back
    int lines = 0;

    bool operator==(const ListIdentity& other) const;
};

namespace stop_record {

// The record and the snapshot folder beside the working files.
QString recordPath();
QString snapshotFolder();

// Loads the list from the file (TextLineList::load) and says which file it
// read; none when the file changed during the load or so shortly before
// `now` that a write in the same clock tick could go unseen.
std::optional<ListIdentity> loadList(TextLineList& list, const QString& path,
                                     std::time_t now = std::time(nullptr));

// Hashes the list and keeps it, the rules file and the column titles as
// snapshots. A snapshot that cannot be written stops nothing.
// A list of the same identity as the Stop before reuses its hash and
// snapshot.
StopInputs capture(const TextLineList& loadedList, const std::optional<ListIdentity>& identity,
                   const TextLineList& results, const QByteArray& repeats);
// How many times a participant list was hashed, for the tests of the reuse.
int listHashesComputed();
// Timestamps move in clock ticks: a list changed this close to its load is
// hashed afresh, as a same-size write in the same tick keeps every field.
inline constexpr std::time_t kSettledSeconds = 2;

// The Stop's entry and one pick entry per winner, in one append.
void write(const StopInputs& inputs, const StopPlan& plan, const std::vector<QDateTime>& pickTimes,
           const std::vector<PickStep>& steps, const std::vector<QByteArray>& resultsLines);

// A line the rounds added to the history, to the record beside that history.
void writeEvent(const QString& historyPath, const QByteArray& historyLine);

QByteArray timeText(const QDateTime& at);

} // namespace stop_record
