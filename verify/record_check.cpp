#include "verify/record_check.h"

#include "base/app_error.h"
#include "base/gbk.h"
#include "base/line_splitting.h"
#include "base/regular_file.h"
#include "draw/batch_pick.h"
#include "draw/draw_clock.h"
#include "draw/earlier_winners.h"
#include "draw/rules_at_stop.h"
#include "storage/draw_record.h"
#include "storage/history_rounds.h"
#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"

#include <QDir>
#include <QHash>
#include <optional>

namespace record_check {

namespace {

struct Broken
{
    int entry;
    Reason reason;
};

QString zh(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// "yyyy-MM-dd HH:mm:ss.zzz" read by hand, as the wall clock wrote it: a
// local QDateTime asks the time zone, seconds for a night of 100,000 picks.
// Invalid for any other text.
QDateTime readTime(const QByteArray& text)
{
    static const char kPattern[] = "dddd-dd-dd dd:dd:dd.ddd";
    if (text.size() != static_cast<qsizetype>(sizeof(kPattern) - 1))
        return QDateTime();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (kPattern[i] == 'd' ? (c < '0' || c > '9') : c != kPattern[i])
            return QDateTime();
    }
    const auto number = [&text](int from, int digits) {
        int value = 0;
        for (int i = from; i < from + digits; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2), number(20, 3));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

class Checker
{
  public:
    explicit Checker(const QString& folder)
        : snapshots_(QDir(folder).filePath(QLatin1String(draw_record::kSnapshotFolder)))
    {
    }

    void event(int entry, const QByteArray& historyLine, Result& result)
    {
        rounds_.addLine(historyLine);
        carried_.valid = false;
        result.events.push_back({entry, historyLine});
    }

    // The Stop's entry with its picks: computed again and compared.
    void stop(int entry, const draw_record::Entry& stopEntry,
              const std::vector<std::pair<int, draw_record::Entry>>& picks, Result& result,
              bool cutByBreak = false)
    {
        const std::vector<QByteArray>& f = stopEntry.fields;
        Stop stop;
        stop.entry = entry;
        stop.time = readTime(f[0]);
        stop.extraPrize = f[1] == "extra";
        stop.prizeName = f[2];
        bool asked = false;
        bool lines = false;
        bool results = false;
        stop.asked = f[3].toInt(&asked);
        stop.repeats = f[4];
        stop.listSha = f[5];
        stop.listLines = f[6].toInt(&lines);
        const int resultsLines = f[7].toInt(&results);
        stop.rulesSha = f[8];
        if (!stop.time.isValid() || !asked || !lines || !results ||
            (f[1] != "level" && !stop.extraPrize))
            throw Broken{
                entry,
                {zh("停止记录的字段无法读取"), QStringLiteral("the stop's fields cannot be read")}};

        const TextLineList& list = snapshot(entry, stop.listSha);
        if (list.count() != stop.listLines)
            throw Broken{entry,
                         {zh("名单快照的行数与记录不符"),
                          QStringLiteral("the list snapshot's line count differs")}};
        TextLineList kept;
        const history_rounds::Round* round =
            rounds_.rounds().empty() ? nullptr : &rounds_.rounds().back();
        if (round)
            for (const history_rounds::RoundEntry& e : round->entries)
                if (!e.voided)
                    kept.add(e.resultsLine);
        if (kept.count() != resultsLines)
            throw Broken{
                entry,
                {zh("本轮此前的中奖者为 %1 人，记录为 %2 人").arg(kept.count()).arg(resultsLines),
                 QStringLiteral("the round had %1 winners before, the record says %2")
                     .arg(kept.count())
                     .arg(resultsLines)}};

        const bool repeats = stop.repeats != setting_names::no();
        TextLineList candidates;
        if (carried_.valid && carried_.listSha == stop.listSha && carried_.repeats == repeats &&
            carried_.resultsAfter == kept.count()) {
            // The last Stop's candidates less its winners: the removal takes
            // each line's first copy, as the whole removal would, and costs
            // a Stop's winners instead of the round's.
            candidates = std::move(carried_.candidates);
            if (!repeats)
                removeEarlierWinners(candidates, carried_.winners);
        } else {
            candidates = list;
            keepOnlyRoundCandidates(candidates, kept,
                                    round ? round->voidedLines() : std::vector<QByteArray>(),
                                    repeats);
        }
        carried_ = {true, stop.listSha, repeats, candidates, {}, 0};
        RulesAtStop rules = RulesAtStop::ofFiles(stop.prizeName, snapshotFile(entry, f[8]),
                                                 snapshotFile(entry, f[9]));
        stop.rulesText = rules.fullText();
        rules.keepOnlyCandidates(candidates, kept);

        std::vector<QDateTime> times;
        for (const auto& [pickEntry, pick] : picks) {
            times.push_back(readTime(pick.fields[0]));
            if (!times.back().isValid())
                throw Broken{
                    pickEntry,
                    {zh("抽取时间无法读取"), QStringLiteral("the pick's time cannot be read")}};
        }
        size_t read = 0;
        const auto clock = [&] {
            const QDateTime& at =
                times.empty() ? stop.time : times[std::min(read, times.size() - 1)];
            ++read;
            return toDateTimeValue(at);
        };
        std::vector<PickStep> steps;
        std::vector<int> positions = rules.pick(candidates, stop.asked, clock, &steps);
        if (cutByBreak && positions.size() >= picks.size())
            positions.resize(picks.size()); // only the picks before the break are compared
        if (positions.size() != picks.size())
            throw Broken{
                entry,
                {zh("按规则应抽出 %1 人，记录为 %2 人").arg(positions.size()).arg(picks.size()),
                 QStringLiteral("the rule draws %1 winners, the record holds %2")
                     .arg(positions.size())
                     .arg(picks.size())}};
        for (size_t i = 0; i < picks.size(); ++i) {
            const auto& [pickEntry, pick] = picks[i];
            Pick p;
            p.entry = pickEntry;
            p.time = times[i];
            p.k = steps[i].k;
            p.n = steps[i].n;
            p.index = steps[i].index;
            p.resultsLine = resultsLineOf(entry, stop, candidates.get(positions[i]));
            const QByteArray recomputed = QByteArray::number(p.k) + ' ' + QByteArray::number(p.n) +
                                          ' ' + QByteArray::number(p.index);
            const QByteArray recorded =
                pick.fields[1] + ' ' + pick.fields[2] + ' ' + pick.fields[3];
            if (recomputed != recorded)
                throw Broken{
                    pickEntry,
                    {zh("重算得 k n 序号为 %1，记录为 %2")
                         .arg(QString::fromLatin1(recomputed), QString::fromLatin1(recorded)),
                     QStringLiteral("recomputed k n index %1, recorded %2")
                         .arg(QString::fromLatin1(recomputed), QString::fromLatin1(recorded))}};
            if (p.resultsLine != pick.fields[4])
                throw Broken{
                    pickEntry,
                    {zh("重算的中奖者是“%1”，记录为“%2”")
                         .arg(gbk::decode(p.resultsLine), gbk::decode(pick.fields[4])),
                     QStringLiteral("the recomputed winner is \"%1\", the record says \"%2\"")
                         .arg(gbk::decode(p.resultsLine), gbk::decode(pick.fields[4]))}};
            rounds_.addWinner(p.time, p.resultsLine);
            stop.picks.push_back(p);
        }
        for (const Pick& pick : stop.picks)
            carried_.winners.add(pick.resultsLine);
        carried_.resultsAfter = kept.count() + static_cast<int>(stop.picks.size());
        result.winners += static_cast<qint64>(picks.size());
        result.stops.push_back(std::move(stop));
    }

  private:
    QByteArray resultsLineOf(int entry, const Stop& stop, const QByteArray& winner) const
    {
        if (stop.extraPrize)
            return results_format::extraPrizeLine(stop.prizeName, winner);
        for (PrizeLevel level : kAllPrizeLevels)
            if (levelName(level) == stop.prizeName)
                return results_format::resultsLine(level, winner);
        throw Broken{entry, {zh("奖项名称无法识别"), QStringLiteral("the prize level is unknown")}};
    }

    // The snapshot's path once its bytes are checked against its name; empty for none.
    QString snapshotFile(int entry, const QByteArray& sha)
    {
        if (sha == draw_record::kNoFile)
            return QString();
        const QString path = draw_record::snapshotPath(snapshots_, sha);
        if (!checkedFiles_.contains(sha)) {
            const regular_file::Content content = regular_file::readAll(path);
            if (!content.ok())
                throw missingSnapshot(entry, sha);
            if (draw_record::sha256Hex(content.bytes) != sha)
                throw changedSnapshot(entry, sha);
            checkedFiles_.insert(sha);
        }
        return path;
    }

    const TextLineList& snapshot(int entry, const QByteArray& sha)
    {
        auto found = lists_.find(sha);
        if (found != lists_.end())
            return found.value();
        TextLineList list;
        try {
            list.load(draw_record::snapshotPath(snapshots_, sha));
        } catch (const AppError&) {
            throw missingSnapshot(entry, sha);
        }
        if (draw_record::linesSha256(list) != sha)
            throw changedSnapshot(entry, sha);
        return lists_.insert(sha, std::move(list)).value();
    }

    static Broken missingSnapshot(int entry, const QByteArray& sha)
    {
        const QString name = QString::fromLatin1(sha) + QLatin1String(".txt");
        return {entry,
                {zh("快照 %1 缺失或无法读取").arg(name),
                 QStringLiteral("snapshot %1 is missing or unreadable").arg(name)}};
    }
    static Broken changedSnapshot(int entry, const QByteArray& sha)
    {
        const QString name = QString::fromLatin1(sha) + QLatin1String(".txt");
        return {entry,
                {zh("快照 %1 的内容与其哈希不符（被替换或改动）").arg(name),
                 QStringLiteral("snapshot %1 does not match its hash (replaced or changed)")
                     .arg(name)}};
    }

    // The round's candidates of the last Stop before its rules; valid while
    // no event came between it and the next.
    struct Carried
    {
        bool valid = false;
        QByteArray listSha;
        bool repeats = false;
        TextLineList candidates;
        TextLineList winners;
        int resultsAfter = 0;
    };
    Carried carried_;
    QString snapshots_;
    QHash<QByteArray, TextLineList> lists_;
    QSet<QByteArray> checkedFiles_;
    history_rounds::RoundBuilder rounds_;
};

} // namespace

Result checkFolder(const QString& folder)
{
    Result result;
    const QString path = QDir(folder).filePath(QLatin1String(draw_record::kFileName));
    const regular_file::Content content = regular_file::readAll(path);
    if (!content.ok()) {
        result.outcome = Result::Outcome::NoRecord;
        result.reason = {zh("文件夹 %1 中没有抽奖记录 %2，无法复核（此功能之前的抽奖没有记录）")
                             .arg(folder, QLatin1String(draw_record::kFileName)),
                         QStringLiteral("no draw record %2 in folder %1: nothing to verify (draws "
                                        "made before the record existed have none)")
                             .arg(folder, QLatin1String(draw_record::kFileName))};
        return result;
    }
    const std::vector<QByteArray> lines = splitIntoLines(content.bytes);
    // The chain first: the entries before its first break are the record as
    // written; the Stops among them are then computed again in order.
    std::vector<draw_record::Entry> entries;
    std::optional<Broken> chainBreak;
    QByteArray previous = draw_record::zeroHash();
    for (size_t i = 0; i < lines.size() && !chainBreak; ++i) {
        const int number = static_cast<int>(i) + 1;
        std::optional<draw_record::Entry> entry = draw_record::readEntry(lines[i]);
        if (!entry)
            chainBreak = Broken{number,
                                {zh("无法读取（格式不对或被截断）"),
                                 QStringLiteral("cannot be read (wrong form or cut short)")}};
        else if (entry->chain != previous)
            chainBreak = Broken{
                number,
                {zh("哈希链断开：所记的上一条哈希与第 %1 条不符（第 %1 "
                    "条被改动，或两条之间有记录被插入或删除）")
                     .arg(number - 1),
                 QStringLiteral("the chain breaks: the hash it holds of entry %1 does not match "
                                "(entry %1 was changed, or an entry was inserted or deleted "
                                "between them)")
                     .arg(number - 1)}};
        else
            entries.push_back(std::move(*entry));
        previous = draw_record::sha256Hex(lines[i]);
    }

    Checker checker(folder);
    try {
        std::optional<std::pair<int, draw_record::Entry>> pendingStop;
        std::vector<std::pair<int, draw_record::Entry>> picks;
        const auto finishStop = [&](bool cutByBreak) {
            if (pendingStop)
                checker.stop(pendingStop->first, pendingStop->second, picks, result, cutByBreak);
            pendingStop.reset();
            picks.clear();
        };
        for (size_t i = 0; i < entries.size(); ++i) {
            const int number = static_cast<int>(i) + 1;
            const draw_record::Entry& entry = entries[i];
            if (entry.kind == "pick") {
                if (!pendingStop)
                    throw Broken{number,
                                 {zh("抽取记录前没有停止记录"),
                                  QStringLiteral("a pick with no stop before it")}};
                picks.emplace_back(number, entry);
                continue;
            }
            finishStop(false);
            if (entry.kind == "stop")
                pendingStop.emplace(number, entry);
            else
                checker.event(number, entry.fields[0], result);
        }
        // A Stop the break cuts short is compared as far as it goes: a
        // changed winner right before the break is named itself.
        finishStop(chainBreak.has_value());
        if (chainBreak)
            throw *chainBreak;
    } catch (const Broken& broken) {
        result.outcome = Result::Outcome::Broken;
        result.failedEntry = broken.entry;
        result.reason = broken.reason;
        return result;
    }
    result.outcome = Result::Outcome::Verified;
    result.entries = static_cast<int>(lines.size());
    result.finalHash = previous;
    return result;
}

} // namespace record_check
