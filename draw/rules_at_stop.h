#pragma once

#include "draw/batch_pick.h"
#include "draw/byte_view_set.h"
#include "draw/cell_key_table.h"
#include "draw/line_cell_keys.h"
#include "draw/participant_columns.h"
#include "storage/draw_rules_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class TextLineList;

// The rules in force for one draw target (a level, by its GBK name) at one
// click, compiled against the columns: who passes, and the pick that keeps
// the group cap. With no rules it changes nothing and picks as pickBatch.
class RulesAtStop
{
  public:
    RulesAtStop(const DrawRules& rules, const QByteArray& levelName,
                const ParticipantColumns& columns);
    // The rules file and the column titles of the working folder.
    static RulesAtStop ofWorkingFolder(const QByteArray& levelName);
    // The same from a rules file and a column titles file anywhere; an empty
    // path stands for no file.
    static RulesAtStop ofFiles(const QByteArray& levelName, const QString& rulesPath,
                               const QString& columnsPath);

    // False when no rule holds for the level: nothing is filtered.
    bool any() const { return !text_.isEmpty(); }
    // "本奖项：..." as the screen shows it; empty when no rule holds.
    const QByteArray& text() const { return text_; }
    // Every value listed, for the history.
    const QByteArray& fullText() const { return fullText_; }
    const QByteArray& levelName() const { return levelName_; }
    // A column the rules name that the list does not have; empty when none.
    const QByteArray& missingColumn() const { return missingColumn_; }

    // Whether the line may win the level, group cap aside.
    bool passes(const QByteArray& line) const;
    // Leaves in the list, in order, only the lines that pass and whose group
    // the level's winners so far (results lines of the level) have not
    // filled. Records the groups so far for pick().
    void keepOnlyCandidates(TextLineList& candidates, const TextLineList& results);
    // Positions of the winners among the candidates: each by the clock rule
    // over the candidates left, a group leaving them once it reaches the
    // cap; fewer than asked when the candidates run out.
    std::vector<int> pick(const TextLineList& candidates, int winners,
                          const std::function<double()>& readClockValue,
                          std::vector<PickStep>* steps = nullptr) const;

    // The notice of a Stop the rules leave nobody for.
    QString nobodyLeftNotice() const;

  private:
    struct Match
    {
        int column = -1; // -1: whole line
        bool is = true;
        // Values whose key no other text has: a cell matches one by its bytes,
        // so most cells are never folded.
        CellKeyTable ownValues;
        ByteViewTable otherKeys; // the keys of the other values
    };
    static Match compile(const QByteArray& column, bool is, const std::vector<QByteArray>& values,
                         const ParticipantColumns& columns, QByteArray& missing);
    // Inline, with the folding out of line: most cells are answered by
    // their bytes.
    bool matches(const Match& match, const CellKey& cell) const
    {
        if (match.ownValues.contains(cell))
            return match.is;
        if (match.otherKeys.isEmpty())
            return !match.is;
        return matchesFolded(match, cell);
    }
    bool matchesFolded(const Match& match, const CellKey& cell) const;
    // Splits the line into cells_ (the whole line first, then each column).
    void readCells(QByteArrayView line) const;
    bool cellsPass() const;
    // Whether the line passes every rule, its group's cap included; its
    // group's number into `group` when the level has a cap.
    Q_ALWAYS_INLINE bool verdict(QByteArrayView line, int& group);
    template <class KeyOf> bool verdictOf(const KeyOf& keyOf, int& group)
    {
        bool passes = true;
        for (const Match& match : matches_)
            passes &= matches(match, keyOf(match.column));
        if (capColumn_ >= 0) {
            group = groupIdOf(keyOf(capColumn_));
            passes &= groupOpen_[static_cast<size_t>(group)] != 0;
        }
        return passes;
    }
    const CellKey& cell(int column) const { return cells_[static_cast<size_t>(column + 1)]; }
    // The number of the cell's group, a new one for a group not seen yet.
    int groupIdOf(const CellKey& cell)
    {
        const int* id = rawGroupIds_.findLikely(cell);
        return id ? *id : newGroupIdOf(cell);
    }
    int newGroupIdOf(const CellKey& cell);
    // The group's number of each candidate the filter kept; empty when one
    // has a group it never saw.
    std::vector<int> groupsOf(const TextLineList& candidates) const;

    QByteArray levelName_;
    QByteArray text_;
    QByteArray fullText_;
    QByteArray missingColumn_;
    std::vector<Match> matches_;      // each must hold
    std::vector<Match> groupMatches_; // on the cap's column: answered once per group
    int capColumn_ = -1;
    int capMost_ = 0;
    ByteViewTable groupIds_;           // group key → number
    CellKeyTable rawGroupIds_;         // cell bytes → number, the first groups seen
    std::vector<int> winnersPerGroup_; // by number: of the level, before this Stop
    std::vector<char> groupPasses_;    // by number: the group's cell passes groupMatches_
    std::vector<char> groupOpen_;      // by number: passes, and the cap not reached
    int keptCount_ = -1;               // candidates the last filter kept; -1: none
    int cellsRead_ = 0;                // columns of a line the rules read
    bool readsWholeLine_ = false;
    mutable std::vector<CellKey> cells_ = std::vector<CellKey>(1);
    mutable QByteArray scratch_;
    LineTabs tabs_;
};
