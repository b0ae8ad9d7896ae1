#include "base/line_splitting.h"
#include "draw/draw_harness.h"
#include "draw/level_counts.h"
#include "draw/round_files.h"
#include "draw/round_recovery.h"
#include "draw/round_state.h"
#include "storage/draw_record.h"
#include "storage/draw_rules_file.h"
#include "storage/extra_prizes.h"
#include "verify/record_check.h"

#include <QDir>
#include <QProcess>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using record_check::Result;

// A night in a working folder: batches, a rule capping a level per
// department, a void and its redraw, an Initialize taken back, a kill and
// continue, an extra prize. Returns the winners it drew.
qint64 drawANight(DrawHarness& draw)
{
    draw.settings.countTexts = {"1", "2", "3", "4", "", ""};
    std::vector<QByteArray> people;
    for (int i = 0; i < 30; ++i)
        people.push_back(G("部门") + QByteArray::number(i % 3) + '\t' + G("员工") +
                         QByteArray::number(i));
    // Equal lines are two people: the removal of either must match the draw's.
    for (int i = 0; i < 6; ++i)
        people.insert(people.begin() + 3 * i, people[static_cast<size_t>(5 * i)]);
    draw.setParticipants(people);
    DrawRules rules;
    rules.levels[levelName(PrizeLevel::Second)].cap = {G("第1列"), 1};
    draw_rules_file::write(QLatin1String(draw_rules_file::kFileName), rules);
    extra_prizes::write({{G("老板加奖"), G("红包"), 2, 2}});
    draw.options.batchSizes = {1, 2, 3, 2, 1, 1};

    qint64 seconds = 1'800'000'003;
    auto state = std::make_unique<RoundState>(QLatin1String(draw_history::kFileName));
    state->programStarted(draw.fakes.clock.time);
    qint64 drawn = 0;
    const auto stop = [&](const QByteArray& extra = {}) {
        draw.setPickSeconds(seconds += 37);
        draw.options.chosenExtraPrize = extra;
        DrawContext context = draw.context();
        context.round = state.get();
        runStartStop(context);
        runStartStop(context);
        drawn += draw.status.batch;
    };
    const auto restore = [&](const history_rounds::Round* round, draw_history::Resume how) {
        ASSERT_NE(round, nullptr);
        round_files::restore(*state,
                             round_recovery::plan(*round, levelCounts(draw.settings)).resultsLines,
                             how, draw.fakes.clock.time);
    };
    stop();
    stop();
    round_files::voidEntry(*state, state->currentRound().entries.size() - 1, draw.fakes.clock.time);
    stop(); // the void's redraw
    state->initialized(draw.fakes.clock.time);
    draw.dir.writeFile("retotal.txt", "");
    restore(roundLeftByReset(state->rounds()), draw_history::Resume::AfterReset);
    stop(); // 二等奖, one a department
    state = std::make_unique<RoundState>(QLatin1String(draw_history::kFileName));
    state->load();
    state->programStarted(draw.fakes.clock.time);
    draw.dir.writeFile("retotal.txt", "");
    restore(roundLeftByRestart(state->rounds()), draw_history::Resume::AfterRestart);
    stop(G("老板加奖"));
    stop();
    stop();
    return drawn;
}

std::vector<QByteArray> recordLines()
{
    QFile file(QLatin1String(draw_record::kFileName));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return splitIntoLines(file.readAll());
}

void writeRecord(const std::vector<QByteArray>& lines)
{
    QFile file(QLatin1String(draw_record::kFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QByteArray& line : lines)
        file.write(line + "\r\n");
}

// The line number (from 1) of the nth entry of a kind.
int entryOf(const std::vector<QByteArray>& lines, const char* kind, int nth = 0)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(QByteArray(kind) + '\t') && nth-- == 0)
            return static_cast<int>(i) + 1;
    return 0;
}

// The entries from the given one on, chained again as a forger would.
void rechain(std::vector<QByteArray>& lines, size_t from)
{
    for (size_t i = from; i < lines.size(); ++i) {
        const QByteArray previous =
            i == 0 ? draw_record::zeroHash() : draw_record::sha256Hex(lines[i - 1]);
        lines[i] = lines[i].left(lines[i].lastIndexOf('\t') + 1) + previous;
    }
}

TEST(RecordCheck, AWholeNightVerifiesAndEveryTamperingIsFoundAtItsEntry)
{
    DrawHarness draw;
    const qint64 drawn = drawANight(draw);
    ASSERT_EQ(drawn, 2 + 2 + 1 + 3 + 2 + 2 + 1);
    const Result night = record_check::checkFolder(QStringLiteral("."));
    ASSERT_EQ(night.outcome, Result::Outcome::Verified)
        << night.reason.english.toStdString() << " at " << night.failedEntry;
    EXPECT_EQ(night.winners, drawn);
    EXPECT_EQ(night.stops.size(), 7u);
    EXPECT_FALSE(night.stops[3].rulesText.isEmpty()); // the capped level

    const std::vector<QByteArray> pristine = recordLines();
    const int secondPick = entryOf(pristine, "pick", 1);
    const int voidEvent = entryOf(pristine, "event", 1);
    const int thirdStop = entryOf(pristine, "stop", 2);
    const QByteArray listSha =
        pristine[static_cast<size_t>(entryOf(pristine, "stop") - 1)].split('\t')[6];
    const QString snapshot =
        draw_record::snapshotPath(QLatin1String(draw_record::kSnapshotFolder), listSha);
    const QByteArray snapshotBytes = draw.dir.readFile(snapshot);
    struct Case
    {
        const char* what;
        std::function<void(std::vector<QByteArray>&)> tamper;
        int failedEntry;
    };
    const std::vector<Case> cases = {
        {"a byte of a winner flipped",
         [&](auto& l) { l[secondPick - 1][l[secondPick - 1].lastIndexOf('\t') - 1] ^= 1; },
         secondPick},
        {"a byte of the void flipped", [&](auto& l) { l[voidEvent - 1][8] ^= 1; }, voidEvent + 1},
        {"a pick deleted", [&](auto& l) { l.erase(l.begin() + secondPick - 1); }, secondPick},
        {"an event inserted, chained from the one before",
         [&](auto& l) {
             l.insert(l.begin() + voidEvent,
                      "event\t==== 2027-01-01 00:00:00 " + G("初始化") + " ====\t");
             rechain(l, static_cast<size_t>(voidEvent));
             l[voidEvent + 1] = pristine[voidEvent];
         },
         voidEvent + 2},
        {"a winner forged and the chain made again",
         [&](auto& l) {
             l[secondPick - 1].replace(G("员工"), G("员上"));
             rechain(l, static_cast<size_t>(secondPick - 1));
         },
         secondPick},
        {"the void taken out and the chain made again",
         [&](auto& l) {
             l.erase(l.begin() + voidEvent - 1);
             rechain(l, static_cast<size_t>(voidEvent - 1));
         },
         thirdStop - 1},
        {"the list snapshot replaced",
         [&](auto&) { draw.dir.writeFile(snapshot, snapshotBytes + "x\r\n"); },
         entryOf(pristine, "stop")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<QByteArray> lines = pristine;
        c.tamper(lines);
        writeRecord(lines);
        const Result result = record_check::checkFolder(QStringLiteral("."));
        EXPECT_EQ(result.outcome, Result::Outcome::Broken);
        EXPECT_EQ(result.failedEntry, c.failedEntry) << result.reason.english.toStdString();
        draw.dir.writeFile(snapshot, snapshotBytes);
    }
}

// The program's exit codes and its line, by the locale.
TEST(RecordCheck, TheProgramExitsByTheOutcomeInTheUsersLanguage)
{
    DrawHarness draw;
    const auto run = [](const QByteArray& lang, QString& out, QStringList arguments = {}) {
        QProcess verify;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
        verify.setProcessEnvironment(environment);
        verify.start(QStringLiteral(PRIZMORA_VERIFY_PROGRAM), arguments << QDir::currentPath());
        verify.waitForFinished();
        out = QString::fromUtf8(verify.readAllStandardOutput() + verify.readAllStandardError());
        return verify.exitCode();
    };
    QString out;
    EXPECT_EQ(run("zh_CN.UTF-8", out), 2);
    EXPECT_TRUE(out.contains(QString::fromUtf8("没有抽奖记录"))) << out.toStdString();
    const qint64 drawn = drawANight(draw);
    EXPECT_EQ(run("en_US.UTF-8", out, {QStringLiteral("--report"), QStringLiteral("night.pdf")}),
              0);
    EXPECT_TRUE(out.contains(QStringLiteral("%1 winners").arg(drawn))) << out.toStdString();
    EXPECT_TRUE(draw.dir.readFile(QStringLiteral("night.pdf")).startsWith("%PDF"));
    std::vector<QByteArray> lines = recordLines();
    lines.pop_back();
    lines.insert(lines.begin() + 1, lines.back());
    writeRecord(lines);
    EXPECT_EQ(run("zh_CN.UTF-8", out), 1);
    EXPECT_TRUE(out.contains(QString::fromUtf8("第 2 条"))) << out.toStdString();
}

} // namespace

// The example docs/VERIFY.md works by hand, drawn by the program.
TEST(RecordCheck, TheDocumentedExampleIsWhatTheDrawRecords)
{
    DrawHarness draw;
    draw.settings.countTexts = {"", "", "", "", "", "2"};
    draw.options.batchSizes = {1, 1, 1, 1, 1, 2};
    draw.setParticipants({G("张三"), G("李四"), G("王五"), G("赵六"), G("钱七")});
    draw.fakes.clock.time = QDateTime(QDate(2026, 12, 8), QTime(20, 15, 7, 418));
    draw.startAndStop();
    const std::vector<QByteArray> lines = recordLines();
    ASSERT_EQ(lines.size(), 3u);
    const auto body = [](const QByteArray& line) { return line.left(line.lastIndexOf('\t')); };
    EXPECT_EQ(body(lines[0]),
              G("stop\t2026-12-08 20:15:07.418\tlevel\t五等奖\t2\t否\t92048cd1157e3125a6f542c8f5e"
                "423e5c415c67acdf8691f47e946d710a74b63\t5\t0\t-\t-"));
    EXPECT_EQ(body(lines[1]), G("pick\t2026-12-08 20:15:07.418\t1796732107\t5\t2\t五等奖：王五"));
    EXPECT_EQ(body(lines[2]), G("pick\t2026-12-08 20:15:07.418\t1796732107\t4\t3\t五等奖：钱七"));
    EXPECT_EQ(record_check::checkFolder(QStringLiteral(".")).winners, 2);
}
