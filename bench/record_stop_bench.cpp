// What the draw record adds to a Stop over 1,000,000 participants: the list's
// SHA-256 and snapshot when the list is new to the record, and the reuse of
// both when the file is the one the Stop before loaded.

#include "base/working_files.h"
#include "bench_data.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "draw/stop_record.h"
#include "storage/text_line_list.h"
#include "summary_table.h"

#include <QDir>

namespace {

constexpr int kParticipants = 1000000;

struct RecordScene
{
    RecordScene()
    {
        workspace.writeFile(QLatin1String(working_files::kParticipants),
                            participantFile(kParticipants));
    }
    BenchWorkspace workspace;
    TextLineList participants;
    TextLineList results;
};

void measureCapture(benchmark::State& state, bool reused)
{
    RecordScene scene;
    const QString path = QLatin1String(working_files::kParticipants);
    // As if the list had been imported a while ago, so its identity is trusted.
    const std::time_t later = std::time(nullptr) + 60;
    const std::optional<ListIdentity> identity =
        stop_record::loadList(scene.participants, path, later);
    stop_record::capture(scene.participants, identity, scene.results, "no");
    const int hashedBefore = stop_record::listHashesComputed();
    for (auto _ : state) {
        if (!reused)
            QDir(stop_record::snapshotFolder()).removeRecursively();
        IterationTimer timer(state);
        stop_record::capture(scene.participants, reused ? identity : std::nullopt, scene.results,
                             "no");
    }
    if ((stop_record::listHashesComputed() == hashedBefore) != reused)
        state.SkipWithError("the list's hash was not reused or not computed as expected");
}

void measureNewList(benchmark::State& state, const CaseInfo&)
{
    measureCapture(state, false);
}

void measureSameList(benchmark::State& state, const CaseInfo&)
{
    measureCapture(state, true);
}

} // namespace

void registerRecordStopBenchmarks()
{
    CaseInfo info;
    info.kind = CaseInfo::Kind::Step;
    info.participants = kParticipants;
    info.title = "Record at a Stop, list new: SHA-256 and snapshot written";
    registerCase("RecordStop/N:1000000/list:new", info, measureNewList);
    info.title = "Record at a Stop, list unchanged since the Stop before";
    registerCase("RecordStop/N:1000000/list:same", info, measureSameList);
}
