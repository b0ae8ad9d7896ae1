#pragma once

#include "storage/draw_history.h"
#include "storage/history_rounds.h"

#include <QByteArray>
#include <QDateTime>
#include <vector>

class RoundState;

// The file writes of restoring a round and of voiding a winner. The results
// file goes first: should it fail, nothing has changed and the operator can
// try again. The history line follows; a kill before it loses no winner, the
// history holds them all.
namespace round_files {

// Makes the kept winners the whole results file, then notes the resume.
// Throws when the results file cannot be written.
void restore(RoundState& state, const std::vector<QByteArray>& keptResultsLines,
             draw_history::Resume how, const QDateTime& at);

// Takes the results line of the current round's entry (one not voided) out of
// the results file, the last line equal to it, then marks the entry voided. A
// results file without the line is left as it is. Returns the lines left in
// the results file; throws when it cannot be read or written.
std::vector<QByteArray> voidEntry(RoundState& state, size_t entry, const QDateTime& at);

} // namespace round_files
