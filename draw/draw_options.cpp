#include "draw/draw_options.h"

#include "storage/batch_settings.h"
#include "storage/default_settings.h"
#include "storage/settings_file.h"

void loadDrawOptions(DrawOptions& options)
{
    options.batchSizes = batch_settings::readSizes();
    for (PrizeLevel level : kAllPrizeLevels)
        options.prizeTexts[static_cast<size_t>(levelIndex(level))] =
            readSetting(setting_names::prizeSection(), levelPrizeKey(level));
}
