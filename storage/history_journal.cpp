#include "storage/history_journal.h"

#include "base/gbk.h"

#include <algorithm>
#include <map>

namespace history_journal {

namespace {

constexpr int kTimeBytes = 19; // yyyy-MM-dd HH:mm:ss
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QByteArray timeText(const QDateTime& at)
{
    return at.toString(kTimeFormat).toLatin1();
}

// "yyyy-MM-dd HH:mm:ss" read by hand into an entry's date and time:
// QDateTime::fromString takes tens of microseconds a line, seconds for a
// history of years. False when the text is no such time.
bool parseTime(const QByteArray& text, RoundEntry& entry)
{
    static const char kPattern[] = "dddd-dd-dd dd:dd:dd";
    if (text.size() != kTimeBytes)
        return false;
    for (int i = 0; i < kTimeBytes; ++i) {
        const char c = text.at(i);
        if (kPattern[i] == 'd' ? (c < '0' || c > '9') : c != kPattern[i])
            return false;
    }
    auto number = [&text](int from, int digits) {
        int value = 0;
        for (int i = from; i < from + digits; ++i)
            value = value * 10 + (text.at(i) - '0');
        return value;
    };
    entry.date = QDate(number(0, 4), number(5, 2), number(8, 2));
    entry.time = QTime(number(11, 2), number(14, 2), number(17, 2));
    return entry.date.isValid() && entry.time.isValid();
}

const char* separatorEvent(RoundStart start)
{
    switch (start) {
    case RoundStart::ProgramStart:
        return "程序启动";
    case RoundStart::Initialize:
        return "初始化";
    case RoundStart::SettingsSave:
        return "设置保存";
    case RoundStart::NewRound:
        return "新一轮";
    case RoundStart::HistoryBegins:
        break;
    }
    return "";
}

const char kCutLineEvent[] = "上一行不完整";

const char* resumeEvent(Resume resume)
{
    return resume == Resume::AfterRestart ? "继续上一轮" : "恢复上一轮";
}

QByteArray separator(const QDateTime& at, const char* event)
{
    return "==== " + timeText(at) + ' ' + gbk::text(event) + " ====";
}

const QByteArray& voidMarker()
{
    static const QByteArray marker = gbk::text("作废") + '\t';
    return marker;
}

const QByteArray& withdrawnMarker()
{
    static const QByteArray marker = gbk::text("撤回") + '\t';
    return marker;
}

// The GBK form of each event text, converted once.
const QByteArray& gbkEvent(const char* event)
{
    static std::map<const char*, QByteArray> converted;
    auto found = converted.find(event);
    if (found == converted.end())
        found = converted.emplace(event, gbk::text(event)).first;
    return found->second;
}

} // namespace

int Round::activeCount() const
{
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                          [](const RoundEntry& entry) { return !entry.voided; }));
}

std::vector<QByteArray> Round::voidedLines() const
{
    std::vector<QByteArray> lines;
    for (const RoundEntry& entry : entries)
        if (entry.voided)
            lines.push_back(entry.resultsLine);
    return lines;
}

QByteArray separatorLine(const QDateTime& at, RoundStart start)
{
    return separator(at, separatorEvent(start));
}

QByteArray resumeLine(const QDateTime& at, Resume resume)
{
    return separator(at, resumeEvent(resume));
}

QByteArray cutLineMarker(const QDateTime& at)
{
    return separator(at, kCutLineEvent);
}

QByteArray voidLine(const QDateTime& at, const QByteArray& resultsLine)
{
    return timeText(at) + '\t' + voidMarker() + resultsLine;
}

QByteArray withdrawnLine(const QDateTime& at, const QByteArray& resultsLine)
{
    return timeText(at) + '\t' + withdrawnMarker() + resultsLine;
}

Round& RoundBuilder::current()
{
    if (rounds_.empty())
        rounds_.emplace_back();
    return rounds_.back();
}

void RoundBuilder::startRound(RoundStart start)
{
    rounds_.push_back(Round{start, {}});
}

void RoundBuilder::resume()
{
    // Only an empty round gives way: winners drawn since stay where they are.
    if (current().entries.empty()) {
        while (!rounds_.empty() && rounds_.back().entries.empty())
            rounds_.pop_back();
        if (rounds_.empty())
            rounds_.emplace_back();
    }
}

void RoundBuilder::addWinner(const QDateTime& at, const QByteArray& resultsLine)
{
    addEntry(RoundEntry{at.date(), at.time(), resultsLine, false});
}

void RoundBuilder::addEntry(RoundEntry entry)
{
    current().entries.push_back(std::move(entry));
    dropRoundsBeforeTheLastWithWinners();
}

bool RoundBuilder::voidWinner(const QByteArray& resultsLine)
{
    std::vector<RoundEntry>& entries = current().entries;
    for (size_t i = entries.size(); i-- > 0;) {
        if (!entries[i].voided && entries[i].resultsLine == resultsLine)
            return voidEntry(i);
    }
    return false;
}

bool RoundBuilder::withdrawWinner(const QByteArray& resultsLine)
{
    std::vector<RoundEntry>& entries = current().entries;
    for (size_t i = entries.size(); i-- > 0;) {
        if (!entries[i].voided && entries[i].resultsLine == resultsLine) {
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

bool RoundBuilder::voidEntry(size_t index)
{
    std::vector<RoundEntry>& entries = current().entries;
    if (index >= entries.size() || entries[index].voided)
        return false;
    entries[index].voided = true;
    return true;
}

void RoundBuilder::dropRoundsBeforeTheLastWithWinners()
{
    if (rounds_.size() > 1)
        rounds_.erase(rounds_.begin(), rounds_.end() - 1);
}

void RoundBuilder::addLine(const QByteArray& line)
{
    if (line.startsWith("==== ") && line.endsWith(" ====") && line.size() > 5 + kTimeBytes + 6) {
        const QByteArray event = line.mid(5 + kTimeBytes + 1).chopped(5);
        RoundEntry unused;
        if (!parseTime(line.mid(5, kTimeBytes), unused))
            return;
        for (RoundStart start : {RoundStart::ProgramStart, RoundStart::Initialize,
                                 RoundStart::SettingsSave, RoundStart::NewRound}) {
            if (event == gbkEvent(separatorEvent(start))) {
                startRound(start);
                return;
            }
        }
        for (Resume kind : {Resume::AfterRestart, Resume::AfterReset}) {
            if (event == gbkEvent(resumeEvent(kind))) {
                resume();
                return;
            }
        }
        return;
    }
    if (line.size() <= kTimeBytes || line.at(kTimeBytes) != '\t')
        return;
    RoundEntry entry;
    if (!parseTime(line.left(kTimeBytes), entry))
        return;
    const QByteArray rest = line.mid(kTimeBytes + 1);
    if (rest.startsWith(voidMarker())) {
        voidWinner(rest.mid(voidMarker().size()));
    } else if (rest.startsWith(withdrawnMarker())) {
        withdrawWinner(rest.mid(withdrawnMarker().size()));
    } else {
        entry.resultsLine = rest;
        addEntry(std::move(entry));
    }
}

std::vector<Round> readRounds(const QByteArray& history)
{
    return buildRounds(history).rounds();
}

RoundBuilder buildRounds(const QByteArray& history)
{
    std::vector<QByteArray> lines;
    qsizetype begin = 0;
    for (qsizetype end = history.indexOf('\n'); end >= 0;
         begin = end + 1, end = history.indexOf('\n', begin)) {
        lines.push_back(history.mid(begin, end - begin));
        if (lines.back().endsWith('\r'))
            lines.back().chop(1);
    }
    const QByteArray cutLineEnd = ' ' + gbkEvent(kCutLineEvent) + " ====";
    RoundBuilder builder;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool cut = i + 1 < lines.size() && lines[i + 1].startsWith("==== ") &&
                         lines[i + 1].endsWith(cutLineEnd);
        if (!cut)
            builder.addLine(lines[i]);
    }
    return builder;
}

namespace {

// The last round holding winners when every round after it is an empty one
// begun in one of the given ways (at least one such round).
template <typename Accept>
const Round* lastRoundWithWinnersFollowedBy(const std::vector<Round>& rounds, Accept accept)
{
    for (size_t i = rounds.size(); i-- > 0;) {
        if (!rounds[i].entries.empty())
            return i + 1 < rounds.size() ? &rounds[i] : nullptr;
        if (!accept(rounds[i].start))
            return nullptr;
    }
    return nullptr;
}

} // namespace

const Round* roundLeftByRestart(const std::vector<Round>& rounds)
{
    return lastRoundWithWinnersFollowedBy(
        rounds, [](RoundStart start) { return start == RoundStart::ProgramStart; });
}

const Round* roundLeftByReset(const std::vector<Round>& rounds)
{
    return lastRoundWithWinnersFollowedBy(rounds, [](RoundStart start) {
        return start == RoundStart::Initialize || start == RoundStart::SettingsSave;
    });
}

} // namespace history_journal
