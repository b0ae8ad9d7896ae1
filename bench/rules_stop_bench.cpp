// A Stop under rules, held against a Stop without them on the same files:
// the rules must cost at most the Stop itself once more.

#include "base/gbk.h"
#include "base/working_files.h"
#include "bench_draw_scene.h"
#include "bench_workspace.h"
#include "draw/draw_command.h"
#include "draw/draw_options.h"
#include "draw/draw_status.h"
#include "draw/stop_record.h"
#include "fake_draw_surface.h"
#include "storage/column_titles_file.h"
#include "storage/draw_rules_file.h"
#include "storage/program_settings.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"
#include "summary_table.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr int kParticipants = 1000000;
constexpr int kDepartments = 50;
constexpr int kRecorded = 10; // fifth-prize winners before the Stop: five departments full

const QByteArray& departmentOf(int i)
{
    static const std::vector<QByteArray> departments = [] {
        std::vector<QByteArray> names;
        for (const char* name : {"总经办", "财务部", "人事部", "IT部", "市场部"})
            names.push_back(gbk::text(name));
        while (names.size() < kDepartments)
            names.push_back(gbk::text("事业") + QByteArray::number(int(names.size())) +
                            gbk::text("部"));
        return names;
    }();
    return departments[static_cast<size_t>(i % kDepartments)];
}

// 姓名 TAB 部门 TAB 工号, with a title row kept beside the list.
QByteArray staffLine(int i)
{
    static const QByteArray name = gbk::text("员工");
    return name + QByteArray::number(i) + '\t' + departmentOf(i) + '\t' +
           QByteArray::number(100000 + i);
}

QByteArray staffFile()
{
    QByteArray text;
    text.reserve(kParticipants * 28);
    for (int i = 0; i < kParticipants; ++i)
        text += staffLine(i) + "\r\n";
    return text;
}

// Two fifth-prize winners from each of departments 1 to 5: the cap of two
// keeps those departments out.
QByteArray recordedResults()
{
    QByteArray text;
    for (int i = 0; i < kRecorded; ++i)
        text += results_format::resultsLine(PrizeLevel::Fifth,
                                            staffLine(1 + i / 2 + (i % 2) * kDepartments)) +
                "\r\n";
    return text;
}

// The rules of the examples, at once: 100 people kept out by 工号, the fifth
// prize not for 总经办, and at most two of it per 部门.
DrawRules heavyRules()
{
    DrawRules rules;
    rules.excluded.column = gbk::text("工号");
    for (int i = 0; i < 100; ++i)
        rules.excluded.values.push_back(QByteArray::number(100000 + i * 997));
    LevelRules& fifth = rules.levels[gbk::text("五等奖")];
    fifth.conditions.push_back({gbk::text("部门"), false, {gbk::text("总经办")}});
    fifth.cap = {gbk::text("部门"), 2};
    return rules;
}

void writeIn(const QDir& dir, const char* name, const QByteArray& bytes)
{
    QFile file(dir.filePath(QLatin1String(name)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error(std::string("cannot write ") + name);
}

// The folder of the night, made once a run in memory (tmpfs, so the flushes
// of the results file cost nothing and both Stops show the data path): the
// list stays unchanged between Stops, as on a real night, and is older than
// the clock tick the record's hash cache distrusts, so every Stop reuses the
// list's hash and snapshot instead of hashing a list just written.
QString nightFolder()
{
    static QTemporaryDir folder(QDir(memoryFolder().isEmpty() ? QDir::tempPath() : memoryFolder())
                                    .filePath(QStringLiteral("prizmora-rules-XXXXXX")));
    static const bool made = [] {
        if (!folder.isValid())
            throw std::runtime_error("cannot make the folder of the rules case");
        const QDir dir(folder.path());
        writeIn(dir, working_files::kParticipants, staffFile());
        writeIn(dir, column_titles_file::kFileName, gbk::text("姓名\t部门\t工号\r\n"));
        waitUntilSettled(dir.filePath(QLatin1String(working_files::kParticipants)));
        return true;
    }();
    (void)made;
    return folder.path();
}

struct RulesScene : BenchDrawScene
{
    RulesScene()
    {
        // The scene's own fresh folder stays empty; the Stops run in the night's.
        if (!QDir::setCurrent(nightFolder()))
            throw std::runtime_error("cannot enter the folder of the rules case");
        settings.startMusicPath = ".\\01.wav";
        settings.stopMusicPath = ".\\02.wav";
        settings.countTexts = {"", "", "", "", "", "100"};
        settings.repeatText = setting_names::no();
    }

    // The rules and results files as before the Stop, outside the time
    // measured: the rules file's checked write syncs.
    void prepare(bool withRules)
    {
        draw_rules_file::write(QLatin1String(draw_rules_file::kFileName),
                               withRules ? heavyRules() : DrawRules());
        writeIn(QDir::current(), working_files::kResults, recordedResults());
    }
    double stop(bool withRules)
    {
        prepare(withRules);
        surface.caption = draw_texts::stopCaption();
        surface.timerEnabled = true;
        DrawContext context = drawContext();
        const auto start = std::chrono::steady_clock::now();
        runStartStop(context);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        return took.count();
    }
};

void measureRulesStop(benchmark::State& state, const CaseInfo&)
{
    RulesScene scene;
    // Once each untimed, so the list's hash and snapshot are kept already.
    scene.stop(false);
    scene.stop(true);
    const int hashesBefore = stop_record::listHashesComputed();
    std::vector<double> plain;
    for (auto _ : state) {
        plain.push_back(scene.stop(false) * 1000.0);
        state.SetIterationTime(scene.stop(true));
    }
    if (stop_record::listHashesComputed() != hashesBefore) {
        state.SkipWithError("a Stop hashed the unchanged list again");
        return;
    }
    const QByteArray& winner = scene.status.winners.size() == 1 ? scene.status.winners[0] : "";
    // Not of 总经办 (department 0) nor of the five departments filled.
    const QByteArray department = winner.split('\t').value(1);
    bool allowed = !department.isEmpty();
    for (int i = 0; i <= 5; ++i)
        allowed = allowed && department != departmentOf(i);
    if (!allowed) {
        state.SkipWithError("the Stop under rules did not draw one winner the rules allow");
        return;
    }
    std::sort(plain.begin(), plain.end());
    state.counters["floor_ms"] = plain[plain.size() / 2];
}

} // namespace

void registerRulesStopBenchmarks()
{
    CaseInfo rules;
    rules.kind = CaseInfo::Kind::StopClick;
    rules.title = "Stop with rules vs without on 1,000,000 participants, files in memory "
                  "(tmpfs; floor: the Stop without, same files)";
    rules.participants = kParticipants;
    rules.recorded = kRecorded;
    rules.repeats = 0;
    rules.inMemoryFolder = true;
    rules.limitFloorRatio = 2;
    registerCase("RulesStopClick/N:1000000/rules:exclude100+condition+cap", rules,
                 measureRulesStop);
}
