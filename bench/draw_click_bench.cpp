// The Start and the Stop click on real files, each held against the floor:
// reading and splitting the same two files and nothing else.

#include "base/line_spans.h"
#include "base/line_splitting.h"
#include "base/working_files.h"
#include "bench_data.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "draw/draw_command.h"
#include "draw/stop_record.h"
#include "fake_draw_surface.h"
#include "storage/draw_history.h"
#include "storage/draw_record.h"
#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "storage/results_format.h"
#include "storage/text_line_list.h"
#include "summary_table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <stdexcept>

namespace {

// The working folder of a night at N participants, in the parent folder
// (the system's temporary folder when empty), one for each parent, made anew
// when N changes: its list stays unchanged from scene to scene and Stop to
// Stop, as on a night, and older than the clock ticks the record's hash cache
// distrusts, so a Stop reuses the list's hash and snapshot as a night's Stops
// do, instead of hashing a list just written. Making ten million lines takes
// seconds, so each size is made once. Each scene finds the folder without
// the results, history and record of the scene before.
QString nightFolder(int count, const QString& parent)
{
    struct Night
    {
        int count = -1;
        std::unique_ptr<QTemporaryDir> folder;
    };
    static std::map<QString, Night> nights;
    Night& night = nights[parent];
    if (night.count != count) {
        night.folder.reset();
        const QString base = parent.isEmpty() ? QDir::tempPath() : parent;
        night.folder =
            std::make_unique<QTemporaryDir>(base + QStringLiteral("/prizmora-night-XXXXXX"));
        if (!night.folder->isValid())
            throw std::runtime_error("cannot make the folder of the night");
        const QString list = night.folder->filePath(QLatin1String(working_files::kParticipants));
        writeParticipantFile(list, count);
        waitUntilSettled(list);
        night.count = count;
    }
    for (const char* name :
         {working_files::kResults, draw_history::kFileName, draw_record::kFileName})
        QFile::remove(night.folder->filePath(QLatin1String(name)));
    return night.folder->path();
}

// One main window's draw state over a participant file of N lines and a
// results file of R earlier fifth-prize winners, one more of them to draw.
struct DrawScene
{
    DrawScene(int participantCount, int recordedCount, bool repeatsAllowed,
              RecordedAs form = RecordedAs::ExactCopy, const QString& parent = QString())
        : folder(nightFolder(participantCount, parent))
    {
        // The workspace's own fresh folder stays empty; the clicks run in the night's.
        if (!QDir::setCurrent(folder.path()))
            throw std::runtime_error("cannot enter the folder of the night");
        resultsBytes = fileBytes(resultsLines(participantCount, recordedCount, form));
        recorded = recordedCount;
        resetResultsFile();
        settings.startMusicPath = ".\\01.wav";
        settings.stopMusicPath = ".\\02.wav";
        settings.countTexts = {"", "", "", "", "", QByteArray::number(recordedCount + 1)};
        settings.repeatText = repeatsAllowed ? setting_names::yes() : setting_names::no();
    }

    void click()
    {
        DrawContext context{surface, settings, participants, results, levelPrefixes, currentWinner};
        runStartStop(context);
    }
    void resetResultsFile()
    {
        QFile file(folder.filePath(QLatin1String(working_files::kResults)));
        if (!file.open(QIODevice::WriteOnly) || file.write(resultsBytes) != resultsBytes.size())
            throw std::runtime_error("cannot write the results file");
    }

    QDir folder;
    BenchWorkspace workspace;
    FakeDrawSurface surface;
    DrawSettings settings;
    TextLineList participants;
    TextLineList results;
    TextLineList levelPrefixes;
    QByteArray currentWinner;
    QByteArray resultsBytes;
    int recorded = 0;
};

// One file read and split into the offsets of its lines.
struct SplitFile
{
    void read(const char* name)
    {
        bytes = QByteArray();
        spans = std::vector<LineSpan>();
        QFile file(QLatin1String{name});
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error(std::string("cannot open ") + name);
        bytes = file.readAll();
        appendLineSpans(bytes, spans);
        benchmark::DoNotOptimize(spans.data());
    }

    QByteArray bytes;
    std::vector<LineSpan> spans;
};

// The floor's work: both files read and split into line offsets. Like a
// reload, each run lets go of the previous run's file first, so the heap is
// reused the same way and neither side pays for memory the other does not.
class FloorWork
{
  public:
    void run()
    {
        participants_.read(working_files::kParticipants);
        results_.read(working_files::kResults);
    }

  private:
    SplitFile participants_;
    SplitFile results_;
};

// The floor measured before every click of a case, outside the click's own
// time: the two alternate, so both see the same load of the machine and the
// same state of the heap. (A floor run on its own lets the allocator hand its
// memory back between runs and fault it in again, which a click holding its
// lists never does; its time would say more about the allocator than about
// the reading and splitting.)
class PairedFloor
{
  public:
    void measure()
    {
        const auto start = std::chrono::steady_clock::now();
        work_.run();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        samples_.push_back(elapsed.count());
    }
    void report(benchmark::State& state)
    {
        if (samples_.empty())
            return;
        std::sort(samples_.begin(), samples_.end());
        state.counters["floor_ms"] = samples_[samples_.size() / 2];
    }

  private:
    FloorWork work_;
    std::vector<double> samples_;
};

QString folderFor(const CaseInfo& info)
{
    return info.inMemoryFolder ? QStringLiteral("/dev/shm") : QString();
}

void measureStartClick(benchmark::State& state, const CaseInfo& info)
{
    DrawScene scene(info.participants, info.recorded, info.repeats == 1, RecordedAs::ExactCopy,
                    folderFor(info));
    PairedFloor floor;
    for (auto _ : state) {
        scene.surface.caption = draw_texts::startCaption();
        scene.surface.timerEnabled = false;
        floor.measure();
        IterationTimer timer(state);
        scene.click();
    }
    floor.report(state);
    if (!scene.surface.running() || !scene.surface.timerEnabled)
        state.SkipWithError("the click did not start the draw");
}

void measureStopClickIn(DrawScene& scene, benchmark::State& state, const CaseInfo& info)
{
    PairedFloor floor;
    const auto prepareStop = [&scene] {
        scene.resetResultsFile();
        scene.surface.caption = draw_texts::stopCaption();
        scene.surface.timerEnabled = true;
        scene.currentWinner.clear();
    };
    // Once untimed, so the list's hash and snapshot are kept already.
    prepareStop();
    scene.click();
    const int hashesBefore = stop_record::listHashesComputed();
    for (auto _ : state) {
        prepareStop();
        floor.measure();
        IterationTimer timer(state);
        scene.click();
    }
    floor.report(state);
    if (stop_record::listHashesComputed() != hashesBefore) {
        state.SkipWithError("a Stop hashed the unchanged list again");
        return;
    }
    // Every stop must have drawn and recorded one more winner, and with
    // repeats off that winner is none of the earlier ones.
    QFile resultsFile(scene.folder.filePath(QLatin1String(working_files::kResults)));
    if (!resultsFile.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the results file");
    const QByteArray after = resultsFile.readAll();
    const std::vector<QByteArray> recorded = splitIntoLines(after);
    const int candidates = info.participants - (info.repeats == 1 ? 0 : info.recorded);
    if (static_cast<int>(recorded.size()) != info.recorded + 1 || scene.currentWinner.isEmpty() ||
        scene.participants.count() != candidates)
        state.SkipWithError("the click did not draw one winner from the expected candidates");
}

void measureStopClick(benchmark::State& state, const CaseInfo& info)
{
    DrawScene scene(info.participants, info.recorded, info.repeats == 1, RecordedAs::ExactCopy,
                    folderFor(info));
    measureStopClickIn(scene, state, info);
}

// Every winner found only through the case-insensitive comparison: the
// slowest removal, which folds every participant line.
void measureStopClickOtherCase(benchmark::State& state, const CaseInfo& info)
{
    DrawScene scene(info.participants, info.recorded, false, RecordedAs::OtherCase);
    measureStopClickIn(scene, state, info);
}

// The Stop click's recording alone, as the draw records a winner: the results
// file read into the scratch list, one line added, the file rewritten whole
// through a temporary file flushed to the disk.
void measureRecordStep(benchmark::State& state, const CaseInfo& info)
{
    DrawScene scene(info.participants, info.recorded, false);
    const QByteArray line = results_format::resultsLine(PrizeLevel::Fifth, participantLine(0));
    const QString resultsPath = QLatin1String(working_files::kResults);
    PairedFloor floor;
    for (auto _ : state) {
        scene.resetResultsFile();
        floor.measure();
        IterationTimer timer(state);
        scene.levelPrefixes.clear();
        scene.levelPrefixes.load(resultsPath);
        scene.levelPrefixes.add(line);
        scene.levelPrefixes.save(resultsPath);
    }
    floor.report(state);
    if (scene.levelPrefixes.count() != info.recorded + 1)
        state.SkipWithError("the record step did not add the line");
}

std::string caseName(const char* what, int participants, int recorded, int repeats)
{
    std::string name =
        std::string(what) + "/N:" + std::to_string(participants) + "/R:" + std::to_string(recorded);
    if (repeats >= 0)
        name += repeats ? "/repeats:on" : "/repeats:off";
    return name;
}

} // namespace

// Start and Stop at every size up to ten million, 1,000 winners recorded,
// repeats off and on, the files on tmpfs like a working folder in memory.
void registerScaleClickBenchmarks()
{
    if (!QDir(QStringLiteral("/dev/shm")).exists())
        return;
    for (int participants : scaleParticipantCounts()) {
        CaseInfo files;
        files.participants = participants;
        files.recorded = 1000;
        files.inMemoryFolder = true;
        files.limitFloorRatio = 3;
        for (int repeats : {0, 1}) {
            CaseInfo start = files;
            start.kind = CaseInfo::Kind::StartClick;
            start.title = "Start click, files in memory (tmpfs)";
            start.repeats = repeats;
            registerCase(caseName("ScaleStartClick", participants, 1000, repeats), start,
                         measureStartClick);
        }
        for (int repeats : {0, 1}) {
            CaseInfo stop = files;
            stop.kind = CaseInfo::Kind::StopClick;
            stop.title = "Stop click, files in memory (tmpfs)";
            stop.repeats = repeats;
            registerCase(caseName("ScaleStopClick", participants, 1000, repeats), stop,
                         measureStopClick);
        }
    }
}

void registerDrawClickBenchmarks()
{
    registerScaleClickBenchmarks();
    for (int participants : {1000, 10000, 100000}) {
        for (int recorded : {10, 100, 1000}) {
            // A draw needs more participants than winners in all: at 1,000
            // participants no setting leaves room for a 1,001st winner.
            if (participants <= recorded + 1)
                continue;
            CaseInfo files;
            files.participants = participants;
            files.recorded = recorded;

            for (int repeats : {0, 1}) {
                CaseInfo start = files;
                start.kind = CaseInfo::Kind::StartClick;
                start.title = "Start click";
                start.repeats = repeats;
                registerCase(caseName("StartClick", participants, recorded, repeats), start,
                             measureStartClick);
            }
            for (int repeats : {0, 1}) {
                CaseInfo stop = files;
                stop.kind = CaseInfo::Kind::StopClick;
                stop.title = "Stop click";
                stop.repeats = repeats;
                if (participants == 100000 && recorded == 1000 && repeats == 0) {
                    stop.limitMs = 50;
                    stop.limitFloorRatio = 3;
                }
                registerCase(caseName("StopClick", participants, recorded, repeats), stop,
                             measureStopClick);
            }
            if (participants == 100000) {
                CaseInfo otherCase = files;
                otherCase.kind = CaseInfo::Kind::StopClick;
                otherCase.title = "Stop click, winners recorded in the other case";
                otherCase.repeats = 0;
                registerCase(caseName("StopClickOtherCase", participants, recorded, 0), otherCase,
                             measureStopClickOtherCase);

                for (int repeats : {0, 1}) {
                    if (!QDir(QStringLiteral("/dev/shm")).exists())
                        break;
                    CaseInfo inMemory = files;
                    inMemory.kind = CaseInfo::Kind::StopClick;
                    inMemory.title = "Stop click, files in memory (tmpfs, no disk flush)";
                    inMemory.repeats = repeats;
                    inMemory.inMemoryFolder = true;
                    registerCase(caseName("StopClickInMemory", participants, recorded, repeats),
                                 inMemory, measureStopClick);
                }

                CaseInfo record = files;
                record.kind = CaseInfo::Kind::Step;
                record.title = "Record step alone (results file rewritten, flushed to disk)";
                registerCase(caseName("RecordStep", participants, recorded, -1), record,
                             measureRecordStep);
            }
        }
    }
}
