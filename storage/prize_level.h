#pragma once

#include <QByteArray>
#include <array>

// The six fixed levels, grand first; draws fill them from the fifth up.
enum class PrizeLevel { Grand, First, Second, Third, Fourth, Fifth };

inline constexpr std::array<PrizeLevel, 6> kAllPrizeLevels = {
    PrizeLevel::Grand, PrizeLevel::First,  PrizeLevel::Second,
    PrizeLevel::Third, PrizeLevel::Fourth, PrizeLevel::Fifth};

inline constexpr std::array<PrizeLevel, 6> kDrawingOrder = {PrizeLevel::Fifth, PrizeLevel::Fourth,
                                                            PrizeLevel::Third, PrizeLevel::Second,
                                                            PrizeLevel::First, PrizeLevel::Grand};

inline int levelIndex(PrizeLevel level)
{
    return static_cast<int>(level);
}

// GBK bytes: the 6-byte name and the 8-byte results label (name + "：").
QByteArray levelName(PrizeLevel level);
QByteArray levelLabel(PrizeLevel level);
