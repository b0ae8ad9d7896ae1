#pragma once

#include "storage/prize_level.h"

#include <QByteArray>
#include <array>

// How many winners one Stop draws per level, in a section of its own in the
// settings file ("批量抽奖", keys like "五等奖每次人数"). A missing or unusable
// value means one winner per Stop, so a file without the section draws as
// it always has.
namespace batch_settings {

inline constexpr int kMinimum = 1;
inline constexpr int kMaximum = 9999;

QByteArray section();                   // 批量抽奖
QByteArray sizeKey(PrizeLevel level);   // level name + 每次人数
int parseSize(const QByteArray& value); // 1 unless a whole number in range

std::array<int, 6> readSizes(); // grand to fifth
// Writes only the values that differ from what the file gives, so an
// untouched page leaves the file as it was. Throws "Unable to write to %s".
void writeChangedSizes(const std::array<int, 6>& sizes);

} // namespace batch_settings
