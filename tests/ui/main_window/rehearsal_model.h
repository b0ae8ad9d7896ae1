#pragma once

#include "storage/prize_level.h"
#include "storage/results_format.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// What the random rehearsal does and what it expects: operator actions and a
// small model of the round they act on.
namespace rehearsal {

// One operator action. Its numbers are drawn with it, so a shortened
// sequence replays every action it keeps as it was.
struct Action
{
    enum Kind : char {
        StartStop = 'c',
        Initialize = 'i',
        TakeBack = 't',
        Void = 'v',        // pick: which voidable results-list line
        Choose = 'l',      // pick: automatic (0) or the n-th open level, fifth first
        SavePrizes = 's',  // values: counts, grand first
        SaveBatch = 'b',   // values: batch sizes, grand first
        Restart = 'r',     // close, start again; pick 1: continue the round
        Kill = 'k',        // start again without a close
        AddExtra = 'a',    // values: count, batch of a new extra prize
        ChooseExtra = 'e', // pick: the n-th extra prize with open places
        Exclude = 'x',     // pick: 0 lifts the rules, else that person takes no part
        Screens = 'm',     // pick: odd, a projector beside the main window's screen; even, none
        Cap = 'g',         // pick: level pick % 6 takes at most pick / 6 % 3 per group (0: no cap)
        RemoveExtra = 'd', // pick: the n-th extra prize listed goes, its winners stay
    };
    Kind kind = StartStop;
    unsigned pick = 0;
    std::array<int, 6> values{};
    bool repeats = false;
};

struct Sequence
{
    int participants = 12;
    std::vector<Action> actions;
};

// "p12 c c s0.0.1.2.3.4n b1.1.2.1.3.2 v5 l2 ry kn t i"
inline std::string format(const Action& action)
{
    std::string text(1, static_cast<char>(action.kind));
    if (action.kind == Action::AddExtra) {
        text += std::to_string(action.values[0]) + "." + std::to_string(action.values[1]);
    } else if (action.kind == Action::SavePrizes || action.kind == Action::SaveBatch) {
        for (size_t i = 0; i < 6; ++i)
            text += (i ? "." : "") + std::to_string(action.values[i]);
        if (action.kind == Action::SavePrizes)
            text += action.repeats ? 'y' : 'n';
    } else if (action.kind == Action::Restart || action.kind == Action::Kill) {
        text += action.pick ? 'y' : 'n';
    } else if (action.kind == Action::Void || action.kind == Action::Choose ||
               action.kind == Action::Exclude || action.kind == Action::ChooseExtra ||
               action.kind == Action::Screens || action.kind == Action::Cap ||
               action.kind == Action::RemoveExtra) {
        text += std::to_string(action.pick);
    }
    return text;
}

inline std::string format(const Sequence& sequence)
{
    std::string text = "p" + std::to_string(sequence.participants);
    for (const Action& action : sequence.actions)
        text += " " + format(action);
    return text;
}

inline Sequence parse(const std::string& text)
{
    Sequence sequence;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const std::string rest = word.substr(1);
        if (word[0] == 'p') {
            sequence.participants = std::stoi(rest);
            continue;
        }
        Action action;
        action.kind = static_cast<Action::Kind>(word[0]);
        if (action.kind == Action::AddExtra) {
            std::istringstream numbers(rest);
            char separator = 0;
            numbers >> action.values[0] >> separator >> action.values[1];
        } else if (action.kind == Action::SavePrizes || action.kind == Action::SaveBatch) {
            std::istringstream numbers(rest);
            char separator = 0;
            for (size_t i = 0; i < 6; ++i)
                numbers >> action.values[i] >> separator;
            action.repeats = rest.back() == 'y';
        } else if (action.kind == Action::Restart || action.kind == Action::Kill) {
            action.pick = rest == "y";
        } else if (!rest.empty()) {
            action.pick = static_cast<unsigned>(std::stoul(rest));
        }
        sequence.actions.push_back(action);
    }
    return sequence;
}

// Mostly Start/Stop clicks; counts kept small so rounds end and candidate
// pools run dry within a sequence.
inline Sequence randomSequence(std::mt19937& random, int length)
{
    auto below = [&random](int bound) { return static_cast<int>(random() % unsigned(bound)); };
    Sequence sequence;
    sequence.participants = 12 + below(29);
    for (int i = 0; i < length; ++i) {
        Action action;
        const int roll = below(100);
        action.pick = static_cast<unsigned>(below(100));
        if (roll < 42) {
            action.kind = Action::StartStop;
        } else if (roll < 46) {
            action.kind = roll < 45 ? Action::Cap : Action::RemoveExtra;
        } else if (roll < 54) {
            action.kind = Action::Void;
        } else if (roll < 60) {
            action.kind = Action::Choose;
        } else if (roll < 67) {
            action.kind = Action::SavePrizes;
            int total = 0;
            // Now and then nearly everyone wins: voids then leave too few.
            const int most = below(4) == 0 ? sequence.participants / 3 : 5;
            for (int& count : action.values)
                total += count = below(3) == 0 ? 0 : below(most);
            for (size_t i = 0; total >= sequence.participants; i = (i + 1) % 6)
                if (action.values[i] > 0)
                    --action.values[i], --total;
            if (total == 0)
                action.values[5] = 1;
            action.repeats = below(3) == 0;
        } else if (roll < 71) {
            action.kind = Action::SaveBatch;
            for (int& size : action.values)
                size = 1 + below(4);
        } else if (roll < 74) {
            action.kind = Action::Exclude;
        } else if (roll < 77) {
            action.kind = Action::Initialize;
        } else if (roll < 81) {
            action.kind = Action::TakeBack;
        } else if (roll < 85) {
            action.kind = roll < 82 ? Action::AddExtra : Action::ChooseExtra;
            action.values[0] = 1 + below(3);
            action.values[1] = 1 + below(2);
        } else if (roll < 87) {
            action.kind = Action::Screens;
        } else {
            action.kind = roll < 92 ? Action::Restart : Action::Kill;
            action.pick = below(2);
        }
        sequence.actions.push_back(action);
    }
    return sequence;
}

// The round as the operator knows it: the counts and options in force, the
// winners kept in the results file, and the rounds of the history.
struct Model
{
    enum class Start { ProgramStart, Initialize, SettingsSave, NewRound };
    struct Entry
    {
        QByteArray resultsLine;
        bool voided = false;
    };
    struct Round
    {
        Start start;
        std::vector<Entry> entries;
    };

    std::vector<QByteArray> people;
    std::array<int, 6> counts{1, 2, 3, 4, 0, 0};
    bool repeats = false;
    std::array<int, 6> batchSizes{1, 1, 1, 1, 1, 1};
    std::optional<PrizeLevel> chosen;
    std::set<QByteArray> excluded; // the rules' 不参与抽奖, whole lines
    std::array<int, 6> caps{};     // the rules' 上限 per group (the second column); 0: none
    struct Extra
    {
        QByteArray name;
        int count;
        int batch;
    };
    std::vector<Extra> extras; // never drawn unless chosen
    int extrasAdded = 0;       // names are never used twice
    QByteArray chosenExtra;
    std::vector<QByteArray> kept; // retotal.txt
    std::vector<Round> rounds;

    Round& current() { return rounds.back(); }
    int total() const
    {
        int sum = 0;
        for (int count : counts)
            sum += count;
        return sum;
    }
    int recorded(PrizeLevel level) const
    {
        return static_cast<int>(
            std::count_if(kept.begin(), kept.end(), [level](const QByteArray& line) {
                return results_format::levelPrefix(line) == levelName(level);
            }));
    }
    int count(PrizeLevel level) const { return counts[static_cast<size_t>(levelIndex(level))]; }
    int open(PrizeLevel level) const { return std::max(0, count(level) - recorded(level)); }
    bool overCount() const
    {
        return std::any_of(kAllPrizeLevels.begin(), kAllPrizeLevels.end(),
                           [this](PrizeLevel level) { return recorded(level) > count(level); });
    }
    std::vector<PrizeLevel> openLevels() const
    {
        std::vector<PrizeLevel> levels;
        for (PrizeLevel level : kDrawingOrder)
            if (open(level) > 0)
                levels.push_back(level);
        return levels;
    }
    int recorded(const QByteArray& extra) const
    {
        return static_cast<int>(
            std::count_if(kept.begin(), kept.end(), [&extra](const QByteArray& line) {
                return results_format::extraPrizeName(line) == extra;
            }));
    }
    int levelLines() const
    {
        return static_cast<int>(std::count_if(kept.begin(), kept.end(), [](const QByteArray& line) {
            return results_format::extraPrizeName(line).isEmpty();
        }));
    }
    const Extra* extra(const QByteArray& name) const
    {
        for (const Extra& each : extras)
            if (each.name == name)
                return &each;
        return nullptr;
    }
    int open(const QByteArray& name) const
    {
        const Extra* prize = extra(name);
        return prize ? std::max(0, prize->count - recorded(name)) : 0;
    }
    std::vector<QByteArray> openExtras() const
    {
        std::vector<QByteArray> open;
        for (const Extra& each : extras)
            if (this->open(each.name) > 0)
                open.push_back(each.name);
        return open;
    }
    // The extra prize the next Stop draws: the chosen one while it has places.
    QByteArray nextExtra() const { return open(chosenExtra) > 0 ? chosenExtra : QByteArray(); }
    std::pair<int, int> extraProgress() const
    {
        int drawn = 0, places = 0;
        for (const Extra& each : extras) {
            drawn += std::min(each.count, recorded(each.name));
            places += each.count;
        }
        return {drawn, places};
    }
    std::optional<PrizeLevel> nextLevel() const
    {
        if (chosen && open(*chosen) > 0)
            return chosen;
        const std::vector<PrizeLevel> levels = openLevels();
        return levels.empty() ? std::nullopt : std::optional<PrizeLevel>(levels.front());
    }
    std::set<QByteArray> voidedPeople() const
    {
        std::set<QByteArray> voided;
        for (const Entry& entry : rounds.back().entries)
            if (entry.voided)
                voided.insert(results_format::recordedWinner(entry.resultsLine));
        return voided;
    }
    std::set<QByteArray> keptPeople() const
    {
        std::set<QByteArray> winners;
        for (const QByteArray& line : kept)
            winners.insert(results_format::recordedWinner(line));
        return winners;
    }
    bool mayWin(const QByteArray& person) const
    {
        return std::count(people.begin(), people.end(), person) == 1 &&
               (repeats || !keptPeople().count(person)) && !voidedPeople().count(person) &&
               !excluded.count(person);
    }
    int candidates() const
    {
        return static_cast<int>(std::count_if(people.begin(), people.end(),
                                              [this](const QByteArray& p) { return mayWin(p); }));
    }
    static QByteArray group(const QByteArray& person) { return person.mid(person.indexOf('\t')); }
    int cap(PrizeLevel level) const { return caps[static_cast<size_t>(levelIndex(level))]; }
    // The level's winners kept of the person's group.
    int groupWinners(PrizeLevel level, const QByteArray& person) const
    {
        return static_cast<int>(
            std::count_if(kept.begin(), kept.end(), [&](const QByteArray& line) {
                return results_format::levelPrefix(line) == levelName(level) &&
                       group(results_format::recordedWinner(line)) == group(person);
            }));
    }
    // How many one Stop of the level can draw: the candidates, at most the
    // cap's places left in each group.
    int capacity(PrizeLevel level) const
    {
        if (cap(level) == 0)
            return candidates();
        std::map<QByteArray, int> left;
        for (const QByteArray& person : people)
            if (mayWin(person) && !left.count(group(person)))
                left[group(person)] = std::max(0, cap(level) - groupWinners(level, person));
        int sum = 0;
        for (const QByteArray& person : people)
            if (mayWin(person) && left[group(person)] > 0)
                --left[group(person)], ++sum;
        return sum;
    }
    // min(batch size, open places of the level, places left, candidates
    // within the level's cap).
    int expectedWinners() const
    {
        if (const QByteArray name = nextExtra(); !name.isEmpty())
            return std::min({extra(name)->batch, open(name), candidates()});
        const std::optional<PrizeLevel> level = nextLevel();
        if (!level)
            return 0;
        int placesLeft = 0;
        for (PrizeLevel each : kAllPrizeLevels)
            placesLeft += open(each);
        return std::min({batchSizes[static_cast<size_t>(levelIndex(*level))], open(*level),
                         placesLeft, capacity(*level)});
    }

    void newRound(Start start)
    {
        rounds.push_back(Round{start, {}});
        kept.clear();
    }
    // The last round with winners when every later one is empty and begun
    // by an accepted start.
    template <typename Accept> const Round* leftBehind(Accept accept) const
    {
        for (size_t i = rounds.size(); i-- > 0;) {
            if (!rounds[i].entries.empty())
                return i + 1 < rounds.size() ? &rounds[i] : nullptr;
            if (!accept(rounds[i].start))
                return nullptr;
        }
        return nullptr;
    }
    const Round* leftByRestart() const
    {
        // Finished or not: a finished round is offered to be shown again.
        return leftBehind([](Start start) { return start == Start::ProgramStart; });
    }
    const Round* leftByReset() const
    {
        return leftBehind(
            [](Start start) { return start == Start::Initialize || start == Start::SettingsSave; });
    }
    static int activeCount(const Round& round)
    {
        return static_cast<int>(std::count_if(round.entries.begin(), round.entries.end(),
                                              [](const Entry& entry) { return !entry.voided; }));
    }
    // The round left behind goes on: the empty rounds after it go.
    void resume()
    {
        while (current().entries.empty())
            rounds.pop_back();
        kept.clear();
        for (const Entry& entry : current().entries)
            if (!entry.voided)
                kept.push_back(entry.resultsLine);
    }
    void voidWinner(const QByteArray& resultsLine)
    {
        std::vector<Entry>& entries = current().entries;
        for (size_t i = entries.size(); i-- > 0;)
            if (!entries[i].voided && entries[i].resultsLine == resultsLine) {
                entries[i].voided = true;
                break;
            }
        const auto last = std::find(kept.rbegin(), kept.rend(), resultsLine);
        if (last != kept.rend())
            kept.erase(std::next(last).base());
    }
};

} // namespace rehearsal
