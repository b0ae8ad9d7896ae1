#include "draw/batch_pick.h"

#include "draw/draw_clock.h"

#include <algorithm>

int positionAmongUntaken(int index, const std::vector<int>& takenAscending)
{
    int position = index;
    for (int taken : takenAscending) {
        if (taken > position)
            break;
        ++position;
    }
    return position;
}

std::vector<int> pickBatch(int candidateCount, int winners,
                           const std::function<double()>& readClockValue,
                           std::vector<PickStep>* steps)
{
    std::vector<int> picked;
    std::vector<int> takenAscending;
    const int count = std::min(winners, candidateCount);
    picked.reserve(static_cast<size_t>(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        const qint64 left = candidateCount - i;
        const double clockValue = readClockValue();
        const auto index = static_cast<int>(winnerIndex(clockValue, left));
        if (steps)
            steps->push_back({clockSeconds(clockValue), left, index});
        // The list is never shortened (a million lines would be moved per
        // winner): the index counts over the lines not yet taken.
        const int position = positionAmongUntaken(index, takenAscending);
        picked.push_back(position);
        takenAscending.insert(
            std::lower_bound(takenAscending.begin(), takenAscending.end(), position), position);
    }
    return picked;
}
