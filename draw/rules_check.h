#pragma once

#include "draw/participant_columns.h"
#include "storage/draw_rules_file.h"

#include <QString>
#include <vector>

class TextLineList;

// The rules page's check before it saves: every column a rule names is one
// of the list's, and every value list matches somebody; sign-in lines that
// match nobody are only reported, since latecomers are added as they come.
struct RulesCheck
{
    QString error; // empty: the rules may be saved
    std::vector<QByteArray> unmatchedSignIns;
};
RulesCheck checkRules(const DrawRules& rules, const ParticipantColumns& columns,
                      const TextLineList& participants);

// The most cells a participant line has (1 for an empty list).
int mostCells(const TextLineList& participants);

// Values typed on one line, split at 、 , ， ; ； and trimmed; empty ones dropped.
std::vector<QByteArray> splitValues(const QByteArray& text);
// Lines pasted into a list field, trimmed at the ends; empty ones dropped.
std::vector<QByteArray> splitListLines(const QByteArray& text);
