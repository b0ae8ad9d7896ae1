#include "draw/rules_at_stop.h"

#include "base/gbk.h"
#include "draw/batch_pick.h"
#include "draw/draw_clock.h"
#include "draw/line_cell_keys.h"
#include "draw/rules_text.h"
#include "storage/case_fold.h"
#include "storage/column_titles_file.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"

#include <algorithm>
#include <iterator>

namespace {

// Values and cells compare as the participant search does: blanks at the
// ends aside, letters regardless of case.
QByteArray keyOf(const QByteArray& text)
{
    return caseFoldKey(text.trimmed());
}

// Group numbers kept by the cell's own bytes, beyond which a cell is folded:
// a cap on a column of a million distinct values keeps one table, not two.
constexpr size_t kRawGroupsKept = 1 << 16;

} // namespace

RulesAtStop::RulesAtStop(const DrawRules& rules, const QByteArray& levelName,
                         const ParticipantColumns& columns)
    : levelName_(levelName), text_(levelRulesText(rules, levelName)),
      fullText_(levelRulesText(rules, levelName, true))
{
    if (!any())
        return;
    if (!rules.excluded.isEmpty())
        matches_.push_back(
            compile(rules.excluded.column, false, rules.excluded.values, columns, missingColumn_));
    if (!rules.signedIn.isEmpty())
        matches_.push_back(
            compile(rules.signedIn.column, true, rules.signedIn.values, columns, missingColumn_));
    const LevelRules& level = rules.forLevel(levelName);
    for (const Condition& condition : level.conditions)
        matches_.push_back(
            compile(condition.column, condition.is, condition.values, columns, missingColumn_));
    if (level.cap.most > 0) {
        capColumn_ = columns.indexOf(level.cap.column);
        capMost_ = level.cap.most;
        if (capColumn_ < 0 && missingColumn_.isEmpty())
            missingColumn_ = level.cap.column;
    }
    // A cell's key decides both its group and whether it passes a condition
    // on its column: such conditions are asked once per group.
    if (capColumn_ >= 0) {
        const auto onCapColumn = [&](const Match& match) { return match.column == capColumn_; };
        std::copy_if(matches_.begin(), matches_.end(), std::back_inserter(groupMatches_),
                     onCapColumn);
        matches_.erase(std::remove_if(matches_.begin(), matches_.end(), onCapColumn),
                       matches_.end());
    }
    for (const Match& match : matches_) {
        readsWholeLine_ = readsWholeLine_ || match.column < 0;
        cellsRead_ = std::max(cellsRead_, match.column + 1);
    }
    cellsRead_ = std::max(cellsRead_, capColumn_ + 1);
    cells_.resize(static_cast<size_t>(cellsRead_) + 1);
}

RulesAtStop RulesAtStop::ofWorkingFolder(const QByteArray& levelName)
{
    return ofFiles(levelName, QLatin1String(draw_rules_file::kFileName),
                   QLatin1String(column_titles_file::kFileName));
}

RulesAtStop RulesAtStop::ofFiles(const QByteArray& levelName, const QString& rulesPath,
                                 const QString& columnsPath)
{
    const DrawRules rules = rulesPath.isEmpty() ? DrawRules() : draw_rules_file::read(rulesPath);
    const QByteArray titles = rules.isEmpty() || columnsPath.isEmpty()
                                  ? QByteArray()
                                  : column_titles_file::read(columnsPath);
    return RulesAtStop(rules, levelName, ParticipantColumns(titles, 1));
}

RulesAtStop::Match RulesAtStop::compile(const QByteArray& column, bool is,
                                        const std::vector<QByteArray>& values,
                                        const ParticipantColumns& columns, QByteArray& missing)
{
    Match match;
    match.is = is;
    if (!column.isEmpty()) {
        match.column = columns.indexOf(column);
        if (match.column < 0 && missing.isEmpty())
            missing = column;
    }
    for (const QByteArray& value : values) {
        const QByteArray trimmed = value.trimmed();
        if (caseFoldKeyIsOwn(trimmed))
            match.ownValues.insert(trimmed);
        else
            match.otherKeys.insert(keyOf(value));
    }
    return match;
}

bool RulesAtStop::matchesFolded(const Match& match, const CellKey& cell) const
{
    // Equal bytes have equal keys, and an own value's key has no other
    // bytes: only the values with letters need the cell folded, into one
    // reused key, so a million lines allocate nothing here.
    caseFoldKeyInto(cell.bytes, scratch_);
    return match.otherKeys.contains(scratch_) == match.is;
}

void RulesAtStop::readCells(QByteArrayView line) const
{
    readCellKeys(line, cellsRead_, cells_.data() + 1, readsWholeLine_ ? cells_.data() : nullptr);
}

bool RulesAtStop::cellsPass() const
{
    bool all = true;
    for (const Match& match : matches_)
        all &= matches(match, cell(match.column));
    return all;
}

bool RulesAtStop::passes(const QByteArray& line) const
{
    readCells(line);
    if (!cellsPass())
        return false;
    for (const Match& match : groupMatches_)
        if (!matches(match, cell(capColumn_)))
            return false;
    return true;
}

int RulesAtStop::newGroupIdOf(const CellKey& cell)
{
    caseFoldKeyInto(cell.bytes, scratch_);
    int id;
    if (const int* known = groupIds_.find(scratch_)) {
        id = *known;
    } else {
        id = static_cast<int>(groupIds_.size());
        groupIds_.insert(scratch_, id);
        winnersPerGroup_.push_back(0);
        const bool groupPasses =
            std::all_of(groupMatches_.begin(), groupMatches_.end(),
                        [&](const Match& match) { return matches(match, cell); });
        groupPasses_.push_back(groupPasses);
        groupOpen_.push_back(groupPasses); // no winner yet
    }
    if (rawGroupIds_.size() < kRawGroupsKept)
        rawGroupIds_.insert(cell.bytes, id);
    return id;
}

void RulesAtStop::keepOnlyCandidates(TextLineList& candidates, const TextLineList& results)
{
    groupIds_.clear();
    rawGroupIds_.clear();
    winnersPerGroup_.clear();
    groupPasses_.clear();
    groupOpen_.clear();
    keptCount_ = -1;
    if (!any())
        return;
    if (!missingColumn_.isEmpty()) {
        // A rule that cannot be read lets nobody win rather than everybody.
        candidates.clear();
        return;
    }
    if (capColumn_ >= 0) {
        // A level's winners follow "name：", an extra prize's "【name】".
        const QByteArray levelLabel = levelName_ + gbk::text("：");
        for (int i = 0; i < results.count(); ++i) {
            const QByteArray line = results.get(i);
            const QByteArray extraPrize = results_format::extraPrizeName(line);
            if (extraPrize.isEmpty() ? !line.startsWith(levelLabel) : extraPrize != levelName_)
                continue;
            const QByteArray winner = extraPrize.isEmpty() ? line.mid(levelLabel.size())
                                                           : results_format::recordedWinner(line);
            const CellKey group = CellKey::of(cellView(winner, capColumn_));
            ++winnersPerGroup_[static_cast<size_t>(groupIdOf(group))];
        }
        for (size_t group = 0; group < groupOpen_.size(); ++group)
            groupOpen_[group] = groupPasses_[group] && winnersPerGroup_[group] < capMost_;
    }
    // Views: the cells read point into the list, which outlives each test.
    // Every cell asked for is looked up, so the verdict is one branch a line.
    // The candidates' groups are not kept: a Stop of one winner never needs
    // them, and a batch's pick finds them again.
    candidates.keepOnlyWhere([this](QByteArrayView line) {
        int group = 0;
        return verdict(line, group);
    });
    keptCount_ = candidates.count();
}

std::vector<int> RulesAtStop::groupsOf(const TextLineList& candidates) const
{
    std::vector<int> groups(static_cast<size_t>(candidates.count()));
    for (int i = 0; i < candidates.count(); ++i) {
        const CellKey cell = CellKey::of(cellView(candidates.view(i), capColumn_));
        const int* id = rawGroupIds_.findLikely(cell);
        if (!id) {
            caseFoldKeyInto(cell.bytes, scratch_);
            id = groupIds_.find(scratch_);
        }
        if (!id)
            return {}; // not the candidates this filter kept
        groups[static_cast<size_t>(i)] = *id;
    }
    return groups;
}

bool RulesAtStop::verdict(QByteArrayView line, int& group)
{
    if (!tabs_.read(line)) {
        readCells(line);
        return verdictOf([this](int column) -> const CellKey& { return cell(column); }, group);
    }
    // Most cells are turned away by their length and last bytes, before any
    // key is made of them.
    bool passes = true;
    for (const Match& match : matches_) {
        const QByteArrayView cell = tabs_.cell(match.column);
        const bool mayBeListed = match.ownValues.mayHold(cell.data(), cell.size());
        if (!mayBeListed && match.otherKeys.isEmpty()) {
            passes &= !match.is;
            continue;
        }
        passes &= matches(match, CellKey::of(cell));
    }
    if (capColumn_ >= 0) {
        group = groupIdOf(CellKey::of(tabs_.cell(capColumn_)));
        passes &= groupOpen_[static_cast<size_t>(group)] != 0;
    }
    return passes;
}

std::vector<int> RulesAtStop::pick(const TextLineList& candidates, int winners,
                                   const std::function<double()>& readClockValue,
                                   std::vector<PickStep>* steps) const
{
    // A lone winner leaves nobody after him to keep out: the cap cannot
    // change the pick.
    if (capColumn_ < 0 || winners <= 1 || keptCount_ != candidates.count())
        return pickBatch(candidates.count(), winners, readClockValue, steps);
    // The groups by number, found once: filling one takes its members out
    // without reading the lines again.
    const std::vector<int> groupOf = groupsOf(candidates);
    if (groupOf.size() != static_cast<size_t>(candidates.count()))
        return pickBatch(candidates.count(), winners, readClockValue, steps);
    std::vector<int> winnersPerId = winnersPerGroup_;
    std::vector<int> left(static_cast<size_t>(candidates.count()));
    for (size_t i = 0; i < left.size(); ++i)
        left[i] = static_cast<int>(i);

    std::vector<int> picked;
    while (static_cast<int>(picked.size()) < winners && !left.empty()) {
        const double clockValue = readClockValue();
        const auto n = static_cast<qint64>(left.size());
        const auto index = static_cast<size_t>(winnerIndex(clockValue, n));
        if (steps)
            steps->push_back({clockSeconds(clockValue), n, static_cast<qint64>(index)});
        const int position = left.at(index);
        picked.push_back(position);
        left.erase(left.begin() + static_cast<long>(index));
        const int group = groupOf[static_cast<size_t>(position)];
        if (++winnersPerId[static_cast<size_t>(group)] >= capMost_)
            left.erase(
                std::remove_if(left.begin(), left.end(),
                               [&](int p) { return groupOf[static_cast<size_t>(p)] == group; }),
                left.end());
    }
    return picked;
}

QString RulesAtStop::nobodyLeftNotice() const
{
    const QString level = gbk::decode(levelName_);
    if (!missingColumn_.isEmpty())
        return QStringLiteral("【%1的规则用到“%2”列，但抽奖名单没有这一列！】\r\n"
                              "请从【系统设置=>抽奖规则】修改规则；其他奖项仍可抽取。")
            .arg(level, gbk::decode(missingColumn_));
    return QStringLiteral("【%1按抽奖规则已没有可以中奖的人！】\r\n%2\r\n"
                          "请从【系统设置=>抽奖规则】修改规则，或先抽取其他奖项。")
        .arg(level, gbk::decode(text_));
}
