#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

// Checks a working folder's draw record: the chain of hashes, then every
// Stop computed again from its snapshot with the draw's own rules (earlier
// and voided winners removed, the rules in force, the clock pick), the
// rounds followed as the program follows them from the history.
namespace record_check {

struct Pick
{
    int entry = 0; // line number in the record, from 1
    QDateTime time;
    qint64 k = 0;
    qint64 n = 0;
    qint64 index = 0;
    QByteArray resultsLine;
};

struct Stop
{
    int entry = 0;
    QDateTime time;
    QByteArray prizeName;
    bool extraPrize = false;
    int asked = 0;
    QByteArray repeats;
    QByteArray listSha;
    int listLines = 0;
    QByteArray rulesSha;
    QByteArray rulesText; // the level's rules in words; empty without any
    std::vector<Pick> picks;
};

struct Event
{
    int entry = 0;
    QByteArray historyLine;
};

struct Reason
{
    QString chinese;
    QString english;
};

struct Result
{
    enum class Outcome { Verified, Broken, NoRecord };
    Outcome outcome = Outcome::NoRecord;
    int entries = 0;
    qint64 winners = 0;
    int failedEntry = 0; // from 1; 0 for the whole file
    Reason reason;
    QByteArray finalHash;
    std::vector<Stop> stops;   // verified ones, in order
    std::vector<Event> events; // in order
};

Result checkFolder(const QString& folder);

} // namespace record_check
