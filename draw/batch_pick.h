#pragma once

#include <functional>
#include <vector>

// Several winners among the candidates at one Stop. The first is the one the
// clock picks over all candidates, exactly as a single draw; each further one
// is picked by the same rule over the candidates not yet picked in this Stop,
// so no line is picked twice. Returns positions in the candidate list, in
// drawing order. The clock is read once per winner.
std::vector<int> pickBatch(int candidateCount, int winners,
                           const std::function<double()>& readClockValue);

// The position in the full list of the index-th line (from 0) that is not
// among the taken positions (ascending).
int positionAmongUntaken(int index, const std::vector<int>& takenAscending);
