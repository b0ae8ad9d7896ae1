#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Participant lines as a company list has them: a Chinese name of two or
// three characters, a blank and an 18-character identity number (some ending
// in X). Deterministic, all distinct.
std::vector<QByteArray> participantLines(int count);
// The line at that index of the list above.
QByteArray participantLine(int index);
// participantLines(count) as a file, made without holding the lines.
QByteArray participantFile(int count);

// participantFile(count) written to `path` a mebibyte at a time, so making a
// list of ten million lines does not hold its 264 MB; throws
// std::runtime_error when the file cannot be written.
void writeParticipantFile(const QString& path, int count);

// The largest participant count of the scale cases: 10,000,000, or less
// from the environment variable PRIZMORA_BENCH_MAX_PARTICIPANTS, which
// shortens a run.
int maxBenchParticipants();
// The scale cases' participant counts up to maxBenchParticipants().
std::vector<int> scaleParticipantCounts();

// A participant file of about the given size in bytes, lines as above.
QByteArray participantFileOfSize(qsizetype bytes);

enum class RecordedAs {
    ExactCopy,
    // Only lines whose identity number ends in X, recorded with a lower-case x,
    // as after the list was imported again with its letters in the other case.
    OtherCase,
};

// Results lines of `recorded` earlier fifth-prize winners, spread over the
// list in drawing order, each the label followed by the participant's line.
std::vector<QByteArray> resultsLines(int participantCount, int recorded,
                                     RecordedAs form = RecordedAs::ExactCopy);

// The bytes of a file holding the lines, each followed by CR LF.
QByteArray fileBytes(const std::vector<QByteArray>& lines);
