#include "draw/draw_options.h"

#include "storage/program_settings.h"

void loadDrawOptions(DrawOptions& options)
{
    options.batchSizes = program_settings::readBatchSizes();
    options.prizeTexts = program_settings::readPrizeTexts();
    options.privacy = screen_privacy_settings::read();
}
