// A Stop under rules, held against a Stop without them on the same files:
// the rules must cost at most the Stop itself once more.

#include "base/gbk.h"
#include "base/working_files.h"
#include "bench_draw_scene.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "draw/draw_command.h"
#include "draw/draw_options.h"
#include "draw/draw_status.h"
#include "fake_draw_surface.h"
#include "storage/column_titles_file.h"
#include "storage/draw_rules_file.h"
#include "storage/program_settings.h"
#include "storage/text_line_list.h"
#include "summary_table.h"

#include <QFile>
#include <algorithm>
#include <chrono>

namespace {

constexpr int kParticipants = 1000000;
constexpr int kDepartments = 50;

// 姓名 TAB 部门 TAB 工号, with a title row kept beside the list.
QByteArray staffFile()
{
    QByteArray text;
    const QByteArray name = gbk::text("员工");
    const QByteArray department = gbk::text("部门");
    for (int i = 0; i < kParticipants; ++i)
        text += name + QByteArray::number(i) + '\t' + department +
                QByteArray::number(i % kDepartments) + '\t' + QByteArray::number(100000 + i) +
                "\r\n";
    return text;
}

// Every kind of rule at once: 100 people excluded by number, a condition on
// the department and a cap per department, on the fifth prize.
DrawRules heavyRules()
{
    DrawRules rules;
    rules.excluded.column = gbk::text("工号");
    for (int i = 0; i < 100; ++i)
        rules.excluded.values.push_back(QByteArray::number(100000 + i * 997));
    LevelRules& fifth = rules.levels[gbk::text("五等奖")];
    fifth.conditions.push_back({gbk::text("部门"), false, {gbk::text("部门0")}});
    fifth.cap = {gbk::text("部门"), 2};
    return rules;
}

struct RulesScene : BenchDrawScene
{
    RulesScene()
    {
        workspace.writeFile(QLatin1String(working_files::kParticipants), staffFile());
        workspace.writeFile(QLatin1String(column_titles_file::kFileName),
                            gbk::text("姓名\t部门\t工号\r\n"));
        settings.startMusicPath = ".\\01.wav";
        settings.stopMusicPath = ".\\02.wav";
        settings.countTexts = {"", "", "", "", "", "10"};
        settings.repeatText = setting_names::no();
    }

    // The files as before the Stop, outside the time measured: the rules
    // file's checked write syncs to disk.
    void prepare(bool withRules)
    {
        const QString rulesPath = QLatin1String(draw_rules_file::kFileName);
        draw_rules_file::write(rulesPath, withRules ? heavyRules() : DrawRules());
        workspace.writeFile(QLatin1String(working_files::kResults), QByteArray());
    }
    void stop()
    {
        surface.caption = draw_texts::stopCaption();
        surface.timerEnabled = true;
        DrawContext context = drawContext();
        runStartStop(context);
    }
};

void measureRulesStop(benchmark::State& state, const CaseInfo&)
{
    RulesScene scene;
    std::vector<double> plain;
    for (auto _ : state) {
        scene.prepare(false);
        const auto start = std::chrono::steady_clock::now();
        scene.stop();
        const std::chrono::duration<double, std::milli> without =
            std::chrono::steady_clock::now() - start;
        plain.push_back(without.count());
        scene.prepare(true);
        IterationTimer timer(state);
        scene.stop();
    }
    if (scene.status.winners.size() != 1 ||
        scene.status.winners[0].contains(gbk::text("部门0\t"))) {
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
    rules.title = "Stop with rules vs without on 1,000,000 participants (floor: the Stop without)";
    rules.participants = kParticipants;
    rules.recorded = 0;
    rules.repeats = 0;
    rules.limitFloorRatio = 2;
    registerCase("RulesStopClick/N:1000000/rules:exclude100+condition+cap", rules,
                 measureRulesStop);
}
