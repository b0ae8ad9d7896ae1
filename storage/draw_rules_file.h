#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

// Who may win what, in a file of its own beside the participant list, so the
// settings file never changes for it. Every rule is a plain line anyone can
// read; nothing names a person who must win and nothing weighs anyone.
//
// GBK, one rule per line, ended by CR LF, fields split by tabs:
//   不参与抽奖 TAB column TAB value        (the value is the rest of the line)
//   签到       TAB column TAB value
//   条件       TAB level TAB column TAB 是|不是 TAB value TAB value ...
//   上限       TAB level TAB column TAB N
// A column is a title of the list (部门), 第N列, or 整行 for the whole line.
// A level is its GBK name, so any draw target with a name can carry rules.
// Lines of any other form are skipped, so a later kind does not break an
// older reader.

// Values of one column (or whole lines) that a list of people is given by.
struct ValueList
{
    QByteArray column; // empty: whole lines
    std::vector<QByteArray> values;

    bool isEmpty() const { return values.empty(); }
};

// 部门 是/不是 总经办、行政部.
struct Condition
{
    QByteArray column;
    bool is = true; // 是: the cell must be one of the values; 不是: none of them
    std::vector<QByteArray> values;
};

// At most `most` winners of the level share one value of the column.
struct GroupCap
{
    QByteArray column;
    int most = 0; // 0: no cap
};

struct LevelRules
{
    std::vector<Condition> conditions;
    GroupCap cap;

    bool isEmpty() const { return conditions.empty() && cap.most == 0; }
};

struct DrawRules
{
    ValueList excluded;                      // 不参与抽奖
    ValueList signedIn;                      // 签到名单: when set, only who is on it takes part
    std::map<QByteArray, LevelRules> levels; // by the level's GBK name

    bool isEmpty() const;
    // The level's rules; an empty set when it has none.
    const LevelRules& forLevel(const QByteArray& levelName) const;
};

bool operator==(const ValueList& a, const ValueList& b);
bool operator==(const Condition& a, const Condition& b);
bool operator==(const LevelRules& a, const LevelRules& b);
bool operator==(const DrawRules& a, const DrawRules& b);

namespace draw_rules_file {

inline constexpr char kFileName[] = "rafflixrules.txt";
inline constexpr int kMaxConditions = 3;

// The GBK word for a whole-line column.
QByteArray wholeLineWord();

QByteArray format(const DrawRules& rules);
DrawRules parse(const QByteArray& content);

// The rules in force; none when the file is missing or cannot be read.
DrawRules read(const QString& path);
// Writes the rules through the checked atomic write; no rules remove the
// file, so a draw without rules leaves nothing behind. Throws when the file
// cannot be written.
void write(const QString& path, const DrawRules& rules);

} // namespace draw_rules_file
