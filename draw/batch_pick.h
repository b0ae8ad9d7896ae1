#pragma once

#include <QtGlobal>
#include <functional>
#include <vector>

// One winner's pick as the record keeps it: the clock's seconds k, the
// candidates left n and the index k mod n among them.
struct PickStep
{
    qint64 k = 0;
    qint64 n = 0;
    qint64 index = 0;
};

// Several winners among the candidates at one Stop. The first is the one the
// clock picks over all candidates, exactly as a single draw; each further one
// is picked by the same rule over the candidates not yet picked in this Stop,
// so no line is picked twice. Returns positions in the candidate list, in
// drawing order. The clock is read once per winner.
// Each pick's step goes to steps when given.
std::vector<int> pickBatch(int candidateCount, int winners,
                           const std::function<double()>& readClockValue,
                           std::vector<PickStep>* steps = nullptr);

// The position in the full list of the index-th line (from 0) that is not
// among the taken positions (ascending).
int positionAmongUntaken(int index, const std::vector<int>& takenAscending);
