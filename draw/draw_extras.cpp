#include "draw/draw_extras.h"

#include "storage/program_settings.h"

void loadDrawExtras(DrawExtras& extras)
{
    extras.batchSizes = program_settings::readBatchSizes();
    extras.prizeTexts = program_settings::readPrizeTexts();
}
