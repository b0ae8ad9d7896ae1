#include "draw/draw_extras.h"

#include "storage/batch_settings.h"
#include "storage/default_settings.h"
#include "storage/settings_file.h"

void loadDrawExtras(DrawExtras& extras)
{
    extras.batchSizes = batch_settings::readSizes();
    for (PrizeLevel level : kAllPrizeLevels)
        extras.prizeTexts[static_cast<size_t>(levelIndex(level))] =
            readSetting(setting_names::prizeSection(), levelPrizeKey(level));
}
