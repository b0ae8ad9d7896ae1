#pragma once

#include "storage/prize_level.h"

#include <QByteArray>

namespace results_format {

inline constexpr int kLevelPrefixBytes = 6;
inline constexpr int kLabelBytes = 8;

// A results line is the 8-byte level label followed by the winner's line.
QByteArray resultsLine(PrizeLevel level, const QByteArray& winner);
// Bytes 1 to 6 of a results line (all of it when shorter).
QByteArray levelPrefix(const QByteArray& resultsLine);
// Bytes 9 to the end (empty for 8 bytes or fewer).
QByteArray recordedWinner(const QByteArray& resultsLine);
// The recorded winner with bytes 00-20 stripped at both ends.
QByteArray strippedWinner(const QByteArray& resultsLine);

} // namespace results_format
