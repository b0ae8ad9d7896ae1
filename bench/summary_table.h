#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>

// What a benchmark case measures, for the summary table.
struct CaseInfo
{
    enum class Kind { StartClick, StopClick, Step, RollStep, Import, StartUp };
    Kind kind = Kind::StartClick;
    std::string title;
    int participants = 0;
    int recorded = -1; // -1: not part of the case
    int repeats = -1;  // -1: not part of the case, 0: off ("否"), 1: on ("是")
    // Files in a folder in memory (tmpfs), where flushing to the disk costs
    // nothing: the data path's own time.
    bool inMemoryFolder = false;
    // The limit this case must stay under, in milliseconds; 0 for none.
    double limitMs = 0;
    // The limit as a multiple of the floor the case measures beside itself
    // (counter "floor_ms"); 0 for none.
    double limitFloorRatio = 0;
};

// Registers a case under its benchmark name; the timing function gets the
// case and measures each iteration itself (manual time, in milliseconds).
void registerCase(const std::string& name, const CaseInfo& info,
                  void (*measure)(benchmark::State&, const CaseInfo&));

// Shows the usual console output and keeps each case's time: the median of
// the repetitions when there are several, else the single run.
class CollectingReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run>& reports) override;

    struct Result
    {
        double milliseconds = 0;
        // The floor the case measured beside itself; 0 when it did not.
        double pairedFloorMs = 0;
        std::string error;
    };
    std::map<std::string, Result> results;
};

// The table of every case that ran, in Markdown: time, the floor measured
// beside it and the ratio to it, and whether the case meets its target.
std::string summaryTable(const CollectingReporter& reporter);
// True when every case with a target met it.
bool allTargetsMet(const CollectingReporter& reporter);
