#pragma once

#include "storage/draw_rules_file.h"

#include <QByteArray>
#include <QDateTime>

// The rules' lines in the draw history. Each begins with its time and a
// blank (never a tab), so a reader of the winner, void and separator lines
// takes it for a note and skips it:
//   time 规则更改 TAB the rules file's lines, tabs as blanks, joined by "；"
//   time 本次规则 TAB level TAB the level's rules in words
namespace rules_history {

// One line: the whole rule set now in force ("无" when none).
QByteArray changeLine(const QDateTime& at, const DrawRules& rules);
// The rules the winners after it (in the same write) were drawn under.
QByteArray inForceLine(const QDateTime& at, const QByteArray& levelName,
                       const QByteArray& rulesText);

} // namespace rules_history
