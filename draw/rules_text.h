#pragma once

#include "storage/draw_rules_file.h"

#include <QByteArray>

// The rules of one level in a few words, GBK, as the board, the status line
// and the history show them: "本奖项：总经办不参与；每部门最多 2 人".
// Empty when no rule holds for the level. `full` lists every value (the
// history); otherwise a long value list is cut after a few.
QByteArray levelRulesText(const DrawRules& rules, const QByteArray& levelName, bool full = false);
