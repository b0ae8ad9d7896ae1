#pragma once

#include "storage/winners_export.h"

#include <QString>
#include <vector>

class QPlainTextEdit;

// The winners the export writes: every winner line of the results list, in
// order, those marked voided with the time the draw history says they were
// voided (none when the history does not tell).
std::vector<winners_export::Winner> exportedWinners(const QPlainTextEdit& resultsList,
                                                    const QString& historyPath);
