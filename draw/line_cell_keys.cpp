#include "draw/line_cell_keys.h"

#include "draw/participant_columns.h"

#include <vector>

void readCellKeys(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine)
{
    if (wholeLine)
        *wholeLine = CellKey::of(cellView(line, -1));
    constexpr int kOnStack = 16;
    QByteArrayView onStack[kOnStack];
    std::vector<QByteArrayView> onHeap(count > kOnStack ? static_cast<size_t>(count) : 0);
    QByteArrayView* views = count > kOnStack ? onHeap.data() : onStack;
    cellViews(line, count, views);
    for (int i = 0; i < count; ++i)
        cells[i] = CellKey::of(views[i]);
}
