#pragma once

#include <QByteArray>
#include <vector>

class TextLineList;

// Removes each recorded winner's line from the candidates: first by its exact
// bytes, then case-insensitively by the recorded text, then by the text with
// blanks stripped. A winner no longer in the list is skipped, and a line is
// removed at most once, so two equal lines are two people.
void removeEarlierWinners(TextLineList& participants, const TextLineList& results);

// Leaves in the participant list only who may still win the round's next
// Stop: earlier winners (the results lines) go unless repeats are allowed,
// voided winners always.
void keepOnlyRoundCandidates(TextLineList& participants, const TextLineList& results,
                             const std::vector<QByteArray>& voided, bool repeatsAllowed);
