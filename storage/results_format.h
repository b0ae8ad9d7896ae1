#pragma once

#include "storage/prize_level.h"

#include <QByteArray>

namespace results_format {

inline constexpr int kLevelPrefixBytes = 6;
inline constexpr int kLabelBytes = 8;

// A results line is the 8-byte level label followed by the winner's line.
QByteArray resultsLine(PrizeLevel level, const QByteArray& winner);
// A winner of an extra prize: "【name】" followed by the winner's line. The
// brackets keep it apart from the six levels' lines, which begin with the
// level's name.
QByteArray extraPrizeLine(const QByteArray& name, const QByteArray& winner);
// The extra prize's name of a results line; empty for any other line.
QByteArray extraPrizeName(const QByteArray& resultsLine);
// The label of a results line: the level's 8 bytes or the bracketed name.
qsizetype labelBytes(const QByteArray& resultsLine);

// Bytes 1 to 6 of a results line (all of it when shorter).
QByteArray levelPrefix(const QByteArray& resultsLine);
// After the label: bytes 9 to the end (empty for 8 bytes or fewer), or
// what follows an extra prize's bracketed name.
QByteArray recordedWinner(const QByteArray& resultsLine);
// The recorded winner with bytes 00-20 stripped at both ends.
QByteArray strippedWinner(const QByteArray& resultsLine);

} // namespace results_format
