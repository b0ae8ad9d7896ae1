#pragma once

#include "storage/prize_level.h"
#include "storage/screen_privacy_settings.h"

#include <QByteArray>
#include <array>
#include <optional>

// The operator's options of the draw. With nothing set every Stop draws one
// winner for the lowest open level.
struct DrawOptions
{
    std::array<int, 6> batchSizes{1, 1, 1, 1, 1, 1}; // grand to fifth
    std::array<QByteArray, 6> prizeTexts;            // for the screen only
    std::optional<PrizeLevel> chosenLevel;           // the next Stop only
    QByteArray chosenExtraPrize;                     // its name, the next Stop only; empty: none
    ScreenPrivacy privacy;                           // what the audience sees
};

// The batch sizes, prize texts and screen privacy from the settings file; a chosen level
// stays as it is.
void loadDrawOptions(DrawOptions& options);
